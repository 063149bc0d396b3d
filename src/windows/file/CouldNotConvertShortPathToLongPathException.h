#pragma once

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// A path could not be brought to its long form.
class CouldNotConvertShortPathToLongPathException : public WindowsFileException {
public:
    using WindowsFileException::WindowsFileException;
};

}
}
