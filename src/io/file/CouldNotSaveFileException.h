#pragma once

#include <string>

#include "io/IOException.h"

namespace io {
namespace file {

// Opening or writing a file failed.
class CouldNotSaveFileException : public IOException {
public:
    explicit CouldNotSaveFileException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
