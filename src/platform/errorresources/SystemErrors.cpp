#include "platform/errorresources/SystemErrors.h"

#include <cerrno>
#include <cstring>

#include "debug/assertion.h"
#include "util/Helpers.h"
#include "util/StringHelper.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace {

const char* const PREFIX = "System error message: ";

#ifdef _WIN32

// Frees the buffer that FormatMessageA allocates, also when copying it throws.
struct SystemBuffer {
    char* text = nullptr;
    SystemBuffer() = default;
    SystemBuffer(const SystemBuffer&) = delete;
    SystemBuffer& operator=(const SystemBuffer&) = delete;
    ~SystemBuffer() {
        if (text) {
            LocalFree(text);
        }
    }
};

// The system's text for a code, with its own trailing CR LF; "" when unknown.
std::string systemText(int errorCode) {
    SystemBuffer buffer;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                  nullptr, static_cast<DWORD>(errorCode), 0x400,
                                  reinterpret_cast<LPSTR>(&buffer.text), 0, nullptr);
    return length != 0 ? std::string(buffer.text, length) : std::string();
}

#else

bool isKnownErrorCode(int errorCode) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    return strerrorname_np(errorCode) != nullptr;
#else
    return errorCode >= 0 && errorCode < 4096;
#endif
}

// strerror_r comes in a GNU form (returns the text) and an XSI form (fills the buffer).
[[maybe_unused]] const char* strerrorResult(char* result, const char*) { return result; }
[[maybe_unused]] const char* strerrorResult(int result, const char* buffer) {
    return result == 0 ? buffer : "";
}

// The system's text for a code, ended by a line break as on Windows; "" when unknown.
std::string systemText(int errorCode) {
    if (!isKnownErrorCode(errorCode)) {
        return "";
    }
    char buffer[256] = "";
    const char* text = strerrorResult(strerror_r(errorCode, buffer, sizeof buffer), buffer);
    if (*text == '\0') {
        return "";
    }
    return std::string(text) + "\n";
}

#endif

}

std::string SystemErrors::map(int errorCode, const ErrorMapper* fallbackErrors) noexcept {
    try {
        const std::string text = systemText(errorCode);
        if (!text.empty()) {
            return PREFIX + text;
        }
        if (fallbackErrors) {
            std::pair<bool, std::string> found = fallbackErrors->lookup(errorCode);
            if (found.first) {
                return PREFIX + found.second + util::CRLF;
            }
        }
        return PREFIX + std::string("The string representation of the error code [") +
               util::formatSigned(errorCode) + "] was not found." + util::CRLF;
    } catch (...) {
        assertionFailed("false", "platform/errorresources/SystemErrors", 53);
        return "An unexpected exception was caught in static std::string SystemErrors::map(int "
               "errorCode, const ErrorMapper* fallbackErrors = 0) throw()\n";
    }
}

int lastSystemError() {
#ifdef _WIN32
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

void setLastSystemError(int errorCode) {
#ifdef _WIN32
    SetLastError(static_cast<DWORD>(errorCode));
#else
    errno = errorCode;
#endif
}

}
