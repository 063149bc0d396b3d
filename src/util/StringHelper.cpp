#include "util/StringHelper.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "debug/assertion.h"
#include "util/StringHelperException.h"

namespace util {

unsigned StringHelper::replace(std::string& replaceIn, const std::string& toFind,
                               const std::string& replacement) {
    if (std::find(replaceIn.begin(), replaceIn.end(), '\0') != replaceIn.end()) {
        assertionFailed("find(replaceIn.begin(), replaceIn.end(), '\\0') == replaceIn.end()",
                        "util/StringHelper", 99);
    }
    if (toFind.empty()) {
        return 0;  // an empty text would match everywhere, forever
    }
    unsigned count = 0;
    std::string::size_type position = replaceIn.find(toFind);
    while (position != std::string::npos) {
        replaceIn.replace(position, toFind.size(), replacement);
        ++count;
        position = replaceIn.find(toFind, position + replacement.size());
    }
    return count;
}

std::wstring StringHelper::toWide(const std::string& text) {
    std::size_t length = std::mbstowcs(nullptr, text.c_str(), 0);
    if (length == static_cast<std::size_t>(-1)) {
        throw StringHelperException("Could get the length of the corresponding wide string for '" +
                                    text + "'.");
    }
    std::vector<wchar_t> buffer(length + 1);
    std::size_t converted = std::mbstowcs(buffer.data(), text.c_str(), length);
    if (converted == static_cast<std::size_t>(-1)) {
        throw StringHelperException("Could not convert '" + text + "' to a wide string.");
    }
    return std::wstring(buffer.data(), converted);
}

}
