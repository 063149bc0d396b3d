#include "decompiler/engine/EngineProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

namespace {

// How often a wait looks at the cancel flag and the clock.
constexpr int POLL_INTERVAL_MS = 20;

// Owns the spawn descriptions so that they are released on every path.
class SpawnSetup {
public:
    SpawnSetup() : _ready(false) {
        if (posix_spawn_file_actions_init(&_actions) != 0) {
            return;
        }
        if (posix_spawnattr_init(&_attributes) != 0) {
            posix_spawn_file_actions_destroy(&_actions);
            return;
        }
        _ready = true;
    }
    ~SpawnSetup() {
        if (_ready) {
            posix_spawnattr_destroy(&_attributes);
            posix_spawn_file_actions_destroy(&_actions);
        }
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The child reads nothing from the viewer's terminal, writes its errors
    // into errorWriteEnd, inherits no other descriptors and starts with the
    // signal state of a fresh program.
    int configure(int errorWriteEnd) {
        if (!_ready) {
            return ENOMEM;
        }
        int error = posix_spawn_file_actions_addopen(&_actions, 0, "/dev/null", O_RDONLY, 0);
        if (error == 0) {
            error = posix_spawn_file_actions_adddup2(&_actions, errorWriteEnd, 2);
        }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        if (error == 0) {
            error = posix_spawn_file_actions_addclosefrom_np(&_actions, 3);
        }
#endif
        if (error == 0) {
            error = configureSignals();
        }
        return error;
    }

    const posix_spawn_file_actions_t* actions() const { return &_actions; }
    const posix_spawnattr_t* attributes() const { return &_attributes; }

private:
    int configureSignals() {
        sigset_t noSignals;
        sigemptyset(&noSignals);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) {
            sigaddset(&defaults, signal);
        }
        int error = posix_spawnattr_setsigmask(&_attributes, &noSignals);
        if (error == 0) {
            error = posix_spawnattr_setsigdefault(&_attributes, &defaults);
        }
        // A group of its own, so that ending the engine ends whatever it started.
        if (error == 0) {
            error = posix_spawnattr_setpgroup(&_attributes, 0);
        }
        if (error == 0) {
            error = posix_spawnattr_setflags(&_attributes,
                                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
        }
        return error;
    }

    posix_spawn_file_actions_t _actions;
    posix_spawnattr_t _attributes;
    bool _ready;
};

std::vector<char*> argumentVector(const std::string& program, std::vector<std::string>& storage,
                                  const std::vector<std::string>& arguments) {
    storage.clear();
    storage.push_back(program);
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> vector;
    for (std::string& argument : storage) {
        vector.push_back(&argument[0]);
    }
    vector.push_back(nullptr);
    return vector;
}

// Both ends close on exec, so that no other child (of another thread) keeps
// the write end open; the child gets its own copy as descriptor 2.
int makeErrorPipe(int ends[2]) {
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return errno;
    }
    return 0;
}

EngineOutcome outcomeOf(int status) {
    EngineOutcome outcome;
    if (WIFEXITED(status)) {
        outcome.end = EngineEnd::Exited;
        outcome.exitCode = WEXITSTATUS(status);
    } else {
        outcome.end = EngineEnd::Signalled;
        outcome.exitCode = -1;
    }
    return outcome;
}

}

EngineProcess::~EngineProcess() {
    killAndReap();
    closePipe();
}

int EngineProcess::start(const std::string& program, const std::vector<std::string>& arguments) {
    int ends[2];
    int error = makeErrorPipe(ends);
    if (error != 0) {
        return error;
    }
    {
        SpawnSetup setup;
        error = setup.configure(ends[1]);
        if (error == 0) {
            std::vector<std::string> storage;
            std::vector<char*> argv = argumentVector(program, storage, arguments);
            error = posix_spawn(&_pid, program.c_str(), setup.actions(), setup.attributes(), argv.data(),
                                environ);
        }
    }
    close(ends[1]);
    if (error != 0) {
        _pid = -1;
        close(ends[0]);
        return error;
    }
    _errorPipe = ends[0];
    return 0;
}

// Takes what the pipe holds now, without blocking; closes it at its end.
void EngineProcess::readErrorOutput(std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(_errorPipe, buffer, sizeof buffer);
        if (count > 0) {
            const std::size_t room = ERROR_OUTPUT_LIMIT - std::min(into.size(), ERROR_OUTPUT_LIMIT);
            into.append(buffer, std::min(static_cast<std::size_t>(count), room));
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            closePipe();
        }
        return;
    }
}

int EngineProcess::waitForEnd(const RunOptions& options, EngineOutcome& outcome) {
    using Clock = std::chrono::steady_clock;
    const bool limited = options.timeoutSeconds > 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(options.timeoutSeconds);
    if (_errorPipe >= 0) {
        fcntl(_errorPipe, F_SETFL, fcntl(_errorPipe, F_GETFL) | O_NONBLOCK);
    }
    std::string errorOutput;
    for (;;) {
        if (_errorPipe >= 0) {
            pollfd readable = {_errorPipe, POLLIN, 0};
            if (poll(&readable, 1, POLL_INTERVAL_MS) > 0) {
                readErrorOutput(errorOutput);
            }
        } else {
            poll(nullptr, 0, POLL_INTERVAL_MS);
        }
        int status = 0;
        const pid_t ended = waitpid(_pid, &status, WNOHANG);
        if (ended < 0 && errno != EINTR) {
            const int error = errno;
            _pid = -1;
            return error;
        }
        if (ended == _pid) {
            _pid = -1;
            if (_errorPipe >= 0) {
                readErrorOutput(errorOutput);
            }
            outcome = outcomeOf(status);
            outcome.errorOutput = errorOutput;
            return 0;
        }
        const bool cancelled = options.cancel != nullptr && options.cancel->cancelled();
        if (cancelled || (limited && Clock::now() >= deadline)) {
            killAndReap();
            outcome = EngineOutcome();
            outcome.end = cancelled ? EngineEnd::Cancelled : EngineEnd::TimedOut;
            outcome.exitCode = -1;
            outcome.errorOutput = errorOutput;
            return 0;
        }
    }
}

void EngineProcess::killAndReap() {
    if (_pid <= 0) {
        return;
    }
    kill(-_pid, SIGKILL);
    kill(_pid, SIGKILL);
    int status = 0;
    while (waitpid(_pid, &status, 0) < 0 && errno == EINTR) {
    }
    _pid = -1;
}

void EngineProcess::closePipe() {
    if (_errorPipe >= 0) {
        close(_errorPipe);
        _errorPipe = -1;
    }
}

}
}
}
}
