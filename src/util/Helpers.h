#pragma once

#include <cstdint>
#include <string>

namespace util {

// Prints one 32-bit integer with a printf-style format for one integer
// ("%d", "%u", ...). A missing format is recorded as a failed check and gives "".
std::string format(std::int32_t value, const char* formatText);

// The signed decimal form ("%d"): -1 gives "-1".
std::string formatSigned(std::int32_t value);

// The unsigned decimal form ("%u"): -1 gives "4294967295".
std::string formatUnsigned(std::int32_t value);

// The system's one rule for reading an integer: "0" is 0; anything else is
// read like atoi and must not give 0. Throws exceptions::NumberFormatException.
std::int32_t toInt(const std::string& text);

}
