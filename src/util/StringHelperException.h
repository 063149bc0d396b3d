#pragma once

#include <string>

#include "exceptions/Exception.h"

namespace util {

// Narrow text could not be converted to wide text.
class StringHelperException : public exceptions::Exception {
public:
    explicit StringHelperException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
