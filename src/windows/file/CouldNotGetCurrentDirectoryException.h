#pragma once

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// The current directory could not be determined.
class CouldNotGetCurrentDirectoryException : public WindowsFileException {
public:
    using WindowsFileException::WindowsFileException;
};

}
}
