#pragma once

#include <string>

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// The current directory could not be determined.
class CouldNotGetCurrentDirectoryException : public WindowsFileException {
public:
    explicit CouldNotGetCurrentDirectoryException(const std::string& message) : WindowsFileException(message) {}
};

}
}
