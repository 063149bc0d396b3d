#pragma once

#include <string>

#include "exceptions/Exception.h"

namespace exceptions {

// Text that cannot be read as a number or a boolean.
class NumberFormatException : public Exception {
public:
    explicit NumberFormatException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
