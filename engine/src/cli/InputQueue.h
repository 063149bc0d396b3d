// Decompiling the inputs of one call on several threads. Results come back
// strictly in input order, so that what is written, printed and reported is
// exactly what a run of one input after the other would give.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "print/PrintOptions.h"

namespace jad {

struct InputResult {
    std::string text;       // the compilation unit
    std::string thisClass;  // the class the input holds
    std::optional<std::string> failure;  // set when the input failed
    // A nested class left to its outer class's unit (text stays empty).
    bool nested = false;
    std::vector<std::string> printed;  // the classes the unit prints
    DebugReport report;                 // what --check and --dump-after found
};

class InputQueue {
public:
    // Decompiles input `index`; `worker` (below the thread count) tells
    // which thread runs it, so each can keep state of its own.
    using Work = std::function<InputResult(size_t index, size_t worker)>;

    // Starts `threads` workers over inputs 0..count-1; with one thread (or
    // one input) the work runs in `next` on the calling thread.
    InputQueue(size_t count, size_t threads, Work work);
    ~InputQueue();
    InputQueue(const InputQueue&) = delete;
    InputQueue& operator=(const InputQueue&) = delete;

    // The result of the next input in order, waiting for it if need be.
    InputResult next();

    // Threads worth starting for `count` inputs: `requested`, or with 0 the
    // number of cores.
    static size_t threadsFor(size_t count, size_t requested = 0);

private:
    // Workers run at most this far ahead of the reader, which bounds the
    // results held in memory.
    static constexpr size_t Window = 32;

    void workerLoop(size_t worker);

    const size_t _count;
    Work _work;
    std::vector<std::optional<InputResult>> _results;
    size_t _claimed = 0;  // next input a worker takes
    size_t _taken = 0;    // next input the reader takes
    bool _stopping = false;
    std::mutex _mutex;
    std::condition_variable _changed;
    std::vector<std::thread> _workers;
};

}  // namespace jad
