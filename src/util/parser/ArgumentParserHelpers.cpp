#include "util/parser/ArgumentParserHelpers.h"

#include "debug/assertion.h"
#include "platform/PathSeparator.h"
#include "util/StringHelper.h"

namespace util {

namespace {

std::string withoutQuotes(const std::string& path) {
    std::string unquoted = path;
    StringHelper::replace(unquoted, "\"", "");
    return unquoted;
}

}

std::string getDirectoryPart(const std::string& path) {
    try {
        const std::string unquoted = withoutQuotes(path);
        std::string::size_type separator = unquoted.rfind(platform::PATH_SEPARATOR);
        return separator == std::string::npos ? std::string() : unquoted.substr(0, separator + 1);
    } catch (...) {
        assertionFailed("false", "util/parser/ArgumentParserHelpers", 136);
        throw;
    }
}

std::string getFileNamePart(const std::string& path) {
    try {
        const std::string unquoted = withoutQuotes(path);
        std::string::size_type separator = unquoted.rfind(platform::PATH_SEPARATOR);
        return separator == std::string::npos ? unquoted : unquoted.substr(separator + 1);
    } catch (...) {
        assertionFailed("false", "util/parser/ArgumentParserHelpers", 169);
        throw;
    }
}

}
