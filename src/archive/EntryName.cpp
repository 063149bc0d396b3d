#include "archive/EntryName.h"

namespace archive {

namespace {

const std::string CLASS_SUFFIX = ".class";
constexpr std::size_t MAX_NAME_LENGTH = 4096;

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string whyUnsafeComponent(const std::string& component) {
    if (component.empty()) return "an empty path component";
    if (component == "." || component == "..") return "a '" + component + "' component";
    return std::string();
}

}  // namespace

std::string whyUnsafeEntryName(const std::string& name) {
    if (name.empty()) return "an empty name";
    if (name.size() > MAX_NAME_LENGTH) return "a name longer than 4096 bytes";
    if (name.front() == '/') return "an absolute path";
    for (char c : name) {
        if (c == '\\') return "a backslash";
        if (c == '\0' || static_cast<unsigned char>(c) < 0x20) return "a control character";
        if (c == ':') return "a drive or stream separator ':'";
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        // A trailing '/' marks a directory entry, not an empty component.
        if (!(end == name.size() && start == end && start > 0)) {
            const std::string why = whyUnsafeComponent(name.substr(start, end - start));
            if (!why.empty()) return why;
        }
        start = end + 1;
    }
    return std::string();
}

bool isClassEntryName(const std::string& name) {
    return endsWith(name, CLASS_SUFFIX) && name.size() > CLASS_SUFFIX.size() &&
           name[name.size() - CLASS_SUFFIX.size() - 1] != '/';
}

ClassEntryName splitClassEntryName(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - CLASS_SUFFIX.size());
    const std::size_t slash = stem.rfind('/');
    if (slash == std::string::npos) return {std::string(), stem};
    return {stem.substr(0, slash), stem.substr(slash + 1)};
}

}
