#pragma once

#include <string>

#include "io/IOException.h"

namespace windows {
namespace file {

// A directory or path query of the operating system failed; the subclasses name which one.
class WindowsFileException : public io::IOException {
public:
    explicit WindowsFileException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
