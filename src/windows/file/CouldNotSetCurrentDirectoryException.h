#pragma once

#include <string>

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// The current directory could not be changed.
class CouldNotSetCurrentDirectoryException : public WindowsFileException {
public:
    explicit CouldNotSetCurrentDirectoryException(const std::string& message) : WindowsFileException(message) {}
};

}
}
