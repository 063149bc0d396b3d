#pragma once

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// The current directory could not be changed.
class CouldNotSetCurrentDirectoryException : public WindowsFileException {
public:
    using WindowsFileException::WindowsFileException;
};

}
}
