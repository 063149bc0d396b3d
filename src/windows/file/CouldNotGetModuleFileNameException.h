#pragma once

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// The running program's own path could not be determined.
class CouldNotGetModuleFileNameException : public WindowsFileException {
public:
    using WindowsFileException::WindowsFileException;
};

}
}
