#include "util/Helpers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "debug/assertion.h"
#include "exceptions/NumberFormatException.h"

namespace util {

namespace {

// atoi's reading (leading white space, optional sign, digits up to the first
// other character), but a value outside 32 bits counts as unreadable instead
// of wrapping silently.
bool readLikeAtoi(const std::string& text, std::int32_t& value) {
    errno = 0;
    long long read = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || read < std::numeric_limits<std::int32_t>::min() ||
        read > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(read);
    return true;
}

}

std::string format(std::int32_t value, const char* formatText) {
    if (!formatText) {
        assertionFailed("format", "util/Helpers", 347);
        return "";
    }
    char buffer[100];
    int length = std::snprintf(buffer, sizeof buffer, formatText, value);
    if (length < 0) {
        return "";
    }
    return buffer;
}

std::string formatSigned(std::int32_t value) { return format(value, "%d"); }

std::string formatUnsigned(std::int32_t value) { return format(value, "%u"); }

std::int32_t toInt(const std::string& text) {
    if (text.empty()) {
        throw exceptions::NumberFormatException("The empty string cannot be parsed into an integer");
    }
    if (text == "0") {
        return 0;
    }
    std::int32_t value = 0;
    if (!readLikeAtoi(text, value) || value == 0) {
        throw exceptions::NumberFormatException("Error parsing the string [" + text + "] to an integer");
    }
    return value;
}

}
