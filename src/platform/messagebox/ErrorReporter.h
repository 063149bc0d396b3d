#pragma once

#include <string>

namespace platform {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(const std::string& message) = 0;
};

}
