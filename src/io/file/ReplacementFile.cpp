#include "io/file/ReplacementFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/parser/ArgumentParserHelpers.h"

namespace io {
namespace file {

namespace {

const int RESERVE_ATTEMPTS = 100;

// Short and free of the target's name, so that it never exceeds a name limit.
std::string temporaryName(const std::string& directory, int attempt) {
    static unsigned counter = 0;
    return directory + ".zefra-save-" + std::to_string(getpid()) + "-" + std::to_string(++counter) +
           "-" + std::to_string(attempt) + ".tmp";
}

bool syncToDisk(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool synced = fsync(fd) == 0;
    int savedError = errno;
    close(fd);
    errno = savedError;
    return synced;
}

}

ReplacementFile::ReplacementFile(const std::string& target)
    : _target(target), _reserved(false), _committed(false) {
    _reserved = reserve();
}

ReplacementFile::~ReplacementFile() {
    if (_reserved && !_committed) {
        int savedError = errno;
        unlink(_path.c_str());
        errno = savedError;
    }
}

bool ReplacementFile::reserve() {
    const std::string directory = util::directoryOfPath(_target);
    for (int attempt = 0; attempt < RESERVE_ATTEMPTS; ++attempt) {
        _path = temporaryName(directory, attempt);
        // 0666 lets the umask decide, as it would for a file created directly.
        int fd = open(_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            struct stat existing;
            if (stat(_target.c_str(), &existing) == 0) {
                fchmod(fd, existing.st_mode & 07777);
            }
            close(fd);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool ReplacementFile::replaceTarget() {
    if (!syncToDisk(_path) || std::rename(_path.c_str(), _target.c_str()) != 0) {
        return false;
    }
    _committed = true;
    return true;
}

std::string resolveSaveTarget(const std::string& fileName) {
    struct stat link;
    if (lstat(fileName.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return fileName;
    }
    std::unique_ptr<char, void (*)(void*)> resolved(realpath(fileName.c_str(), nullptr), std::free);
    return resolved ? std::string(resolved.get()) : fileName;
}

bool canReplace(const std::string& target) {
    struct stat existing;
    if (lstat(target.c_str(), &existing) != 0) {
        return errno == ENOENT;
    }
    // A link left unresolved dangles or loops: writing through it creates the
    // file it names, a rename would destroy the link. A second hard link or
    // another owner would be lost by a rename too.
    return S_ISREG(existing.st_mode) && existing.st_nlink == 1 && existing.st_uid == geteuid() &&
           access(target.c_str(), W_OK) == 0;
}

}
}
