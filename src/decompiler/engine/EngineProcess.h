#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// Starting and waiting for the engine's child process. No shell is involved:
// the arguments reach the program exactly as given, whatever characters they hold.
class EngineProcess {
public:
    // Starts program with arguments (program itself becomes argv[0]), the
    // parent's environment and current directory, standard input from
    // /dev/null and no other inherited descriptors. Returns 0 and sets pid,
    // or returns the system error code.
    static int start(const std::string& program, const std::vector<std::string>& arguments,
                     pid_t& pid);

    // Waits without a time-out for the child to end. Returns 0 and sets
    // exitedCleanly (exit code 0; a death by signal counts as a failure), or
    // returns the system error code of the wait.
    static int waitForEnd(pid_t pid, bool& exitedCleanly);
};

}
}
}
}
