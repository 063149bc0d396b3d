#pragma once

#include <string>

#include "io/IOException.h"

namespace io {
namespace file {

// Opening, sizing or reading a file failed.
class CouldNotLoadFileException : public IOException {
public:
    explicit CouldNotLoadFileException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
