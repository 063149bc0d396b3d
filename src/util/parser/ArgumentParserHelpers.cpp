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

std::string directoryOfPath(const std::string& path) {
    std::string::size_type separator = path.rfind(platform::PATH_SEPARATOR);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string fileNameOfPath(const std::string& path) {
    std::string::size_type separator = path.rfind(platform::PATH_SEPARATOR);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string getDirectoryPart(const std::string& path) {
    try {
        return directoryOfPath(withoutQuotes(path));
    } catch (...) {
        assertionFailed("false", "util/parser/ArgumentParserHelpers", 136);
        throw;
    }
}

std::string getFileNamePart(const std::string& path) {
    try {
        return fileNameOfPath(withoutQuotes(path));
    } catch (...) {
        assertionFailed("false", "util/parser/ArgumentParserHelpers", 169);
        throw;
    }
}

}
