#pragma once

#include <string>

#include "windows/file/WindowsFileException.h"

namespace windows {
namespace file {

// A path could not be brought to its long form.
class CouldNotConvertShortPathToLongPathException : public WindowsFileException {
public:
    explicit CouldNotConvertShortPathToLongPathException(const std::string& message) : WindowsFileException(message) {}
};

}
}
