#include "archive/EntryNames.h"

#include <cctype>

namespace jad {

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string lowered(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

std::optional<std::string> unsafeEntryName(const std::string& name) {
    if (name.empty()) return "empty entry name";
    if (name.front() == '/') return "absolute entry name";
    if (name.find('\\') != std::string::npos) return "backslash in entry name";
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
        return "drive letter in entry name";
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string segment = name.substr(start, end - start);
        if (segment == "..") return "entry name climbs out with ..";
        if (segment == "." || (segment.empty() && end != name.size())) return "entry name with an empty or . segment";
        start = end + 1;
    }
    return std::nullopt;
}

bool isArchiveName(const std::string& name) {
    const std::string lower = lowered(name);
    for (const char* extension : {".jar", ".zip", ".war", ".ear", ".jmod", ".aar"}) {
        if (endsWith(lower, extension)) return true;
    }
    return false;
}

bool isClassEntry(const std::string& name) {
    return endsWith(name, ".class") && name.compare(0, 9, "META-INF/") != 0;
}

}  // namespace jad
