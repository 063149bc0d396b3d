#pragma once

#include <string>

namespace util {

// Line endings shared by the configuration parser, system error texts and the
// engine runner's end-of-header marker.
inline const std::string CRLF = "\r\n";
inline const std::string CRLF_CRLF = "\r\n\r\n";

class StringHelper {
public:
    // Replaces every occurrence of toFind (not empty) in replaceIn, never
    // searching inserted text again. Returns the number of replacements.
    static unsigned replace(std::string& replaceIn, const std::string& toFind,
                            const std::string& replacement);

    // Narrow text in the current locale to wide text.
    // Throws util::StringHelperException.
    static std::wstring toWide(const std::string& text);
};

}
