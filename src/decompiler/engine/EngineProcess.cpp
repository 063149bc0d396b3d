#include "decompiler/engine/EngineProcess.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

namespace {

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

    // The child reads nothing from the viewer's terminal, inherits no other
    // descriptors and starts with the signal state of a fresh program.
    int configure() {
        if (!_ready) {
            return ENOMEM;
        }
        int error = posix_spawn_file_actions_addopen(&_actions, 0, "/dev/null", O_RDONLY, 0);
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
        if (error == 0) {
            error = posix_spawnattr_setflags(&_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
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

}

int EngineProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                         pid_t& pid) {
    SpawnSetup setup;
    int error = setup.configure();
    if (error != 0) {
        return error;
    }
    std::vector<std::string> storage;
    std::vector<char*> argv = argumentVector(program, storage, arguments);
    return posix_spawn(&pid, program.c_str(), setup.actions(), setup.attributes(), argv.data(), environ);
}

int EngineProcess::waitForEnd(pid_t pid, bool& exitedCleanly) {
    int status = 0;
    pid_t ended;
    do {
        ended = waitpid(pid, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended < 0) {
        return errno;
    }
    exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return 0;
}

}
}
}
}
