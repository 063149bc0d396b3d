#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

#include "decompiler/engine/RunOptions.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// How the child's run ended.
enum class EngineEnd { Exited, Signalled, TimedOut, Cancelled };

struct EngineOutcome {
    EngineEnd end = EngineEnd::Exited;
    int exitCode = 0;
    // What the child wrote on its standard error (at most ERROR_OUTPUT_LIMIT bytes).
    std::string errorOutput;

    bool succeeded() const { return end == EngineEnd::Exited && exitCode == 0; }
};

// The engine's child process. No shell is involved: the arguments reach the
// program exactly as given, whatever characters they hold. A child still
// running when the object goes is killed and reaped, so no run outlives its
// caller, whichever way the caller leaves.
class EngineProcess {
public:
    static constexpr std::size_t ERROR_OUTPUT_LIMIT = 16 * 1024;

    EngineProcess() = default;
    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // Starts program with arguments (program itself becomes argv[0]), the
    // parent's environment and current directory, standard input from
    // /dev/null, standard error to a pipe read by waitForEnd, and no other
    // inherited descriptors. Returns 0, or the system error code.
    int start(const std::string& program, const std::vector<std::string>& arguments);

    // Waits for the child to end, collecting its standard error; ends it
    // when the time limit passes or the run is cancelled. Returns 0 and fills
    // outcome, or returns the system error code of the wait.
    int waitForEnd(const RunOptions& options, EngineOutcome& outcome);

private:
    void readErrorOutput(std::string& into);
    void killAndReap();
    void closePipe();

    pid_t _pid = -1;
    int _errorPipe = -1;
};

}
}
}
}
