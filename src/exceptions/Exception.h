#pragma once

#include <string>

namespace exceptions {

// The base of every error the system raises. It deliberately does not derive
// from std::exception, so handlers for standard exceptions never swallow ours.
class Exception {
public:
    virtual ~Exception() = default;

    // The complete, human-readable message, composed where the failure happened.
    virtual const std::string& getMessage() const = 0;
};

}
