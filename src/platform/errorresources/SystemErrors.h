#pragma once

#include <string>

#include "platform/errorresources/ErrorMapper.h"

namespace platform {

class SystemErrors {
public:
    // "System error message: " + the system's text for errorCode (an errno
    // value on POSIX, a GetLastError() code on Windows), ending in a line break.
    // Never throws.
    static std::string map(int errorCode, const ErrorMapper* fallbackErrors = nullptr) noexcept;
};

// The error code of the last failed system call (errno; GetLastError() on Windows).
// Read it first, before any other call can change it.
int lastSystemError();

// Sets the code that lastSystemError() returns.
void setLastSystemError(int errorCode);

}
