#pragma once

#include <atomic>

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// Set from any thread to end a run in progress; the run notices within a
// fraction of a second.
class RunCancel {
public:
    void cancel() { _cancelled.store(true); }
    bool cancelled() const { return _cancelled.load(); }

private:
    std::atomic<bool> _cancelled{false};
};

// How one engine run goes. The defaults run the engine with its classic
// options, without a time limit and without a way to cancel.
struct RunOptions {
    // Seconds the engine may take before it is ended; 0: no limit.
    int timeoutSeconds = 0;
    // Not owned; must outlive the run. Null: the run cannot be cancelled.
    const RunCancel* cancel = nullptr;
    // Adds -m: the engine writes Java at the class file's language level.
    bool modern = false;
};

}
}
}
}
