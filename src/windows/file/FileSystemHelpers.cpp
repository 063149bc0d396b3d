#include "windows/file/FileSystemHelpers.h"

#include <cerrno>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/PathSeparator.h"
#include "platform/errorresources/SystemErrors.h"
#include "util/parser/ArgumentParserHelpers.h"

namespace windows {
namespace file {

namespace {

const std::size_t INITIAL_BUFFER_SIZE = 1024;
// Paths beyond this are not paths any system call would accept.
const std::size_t BUFFER_SIZE_LIMIT = 1u << 20;

std::string mappedLastError() { return platform::SystemErrors::map(platform::lastSystemError()); }

// readlink does not say whether it truncated; a result that fills the buffer
// is retried with a larger one.
bool readLink(const char* link, std::string& target) {
    for (std::size_t size = INITIAL_BUFFER_SIZE; size <= BUFFER_SIZE_LIMIT; size *= 2) {
        std::vector<char> buffer(size);
        ssize_t length = readlink(link, buffer.data(), buffer.size());
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
    }
    errno = ENAMETOOLONG;
    return false;
}

bool currentDirectory(std::string& directory) {
    for (std::size_t size = INITIAL_BUFFER_SIZE; size <= BUFFER_SIZE_LIMIT; size *= 2) {
        std::vector<char> buffer(size);
        if (getcwd(buffer.data(), buffer.size())) {
            directory = buffer.data();
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
    }
    errno = ENAMETOOLONG;
    return false;
}

}

std::string getModuleFileName() {
    std::string path;
    if (!readLink("/proc/self/exe", path)) {
        throw CouldNotGetModuleFileNameException(
            "Could not get the module filename for the current process: " + mappedLastError());
    }
    return path;
}

// The module path comes from the system, so a double quote in it is part of a
// directory name and must stay.
std::string getApplicationDirectory() { return util::directoryOfPath(getModuleFileName()); }

std::string getCurrentDirectory() {
    std::string directory;
    if (!currentDirectory(directory)) {
        throw CouldNotGetCurrentDirectoryException("Couldn't get the current directory.\n " +
                                                   mappedLastError());
    }
    return directory + platform::PATH_SEPARATOR;
}

void setCurrentDirectory(const std::string& directory) {
    if (chdir(directory.c_str()) != 0) {
        const std::string errorText = mappedLastError();
        throw CouldNotSetCurrentDirectoryException("Could not set the directory, " + directory +
                                                   ", to the current directory. " + errorText);
    }
}

// POSIX file systems have no short names: the path only has to exist, and it
// comes back unchanged.
std::string toLongPath(const std::string& path) {
    const std::string failure = "Error converting the filename, " + path;
    const std::size_t reservedSize = 2 * path.size();
    std::string converted;
    try {
        converted.reserve(reservedSize);
    } catch (...) {
        platform::setLastSystemError(EINVAL);
        throw CouldNotConvertShortPathToLongPathException(failure +
                                                          ", to a long path. Invalid parameters.");
    }
    struct stat attributes;
    if (path.find('\0') != std::string::npos || stat(path.c_str(), &attributes) != 0) {
        throw CouldNotConvertShortPathToLongPathException(failure + ", to a long path. Input path invalid.");
    }
    converted = path;
    if (converted.size() >= reservedSize) {
        throw CouldNotConvertShortPathToLongPathException(failure +
                                                          ", to a full path. The buffer was to small.");
    }
    return converted;
}

}
}
