#include "classfile/ClassReader.h"
#include "decl/members/ClassTree.h"

namespace jad {

std::shared_ptr<const ClassFile> SiblingFiles::parsed(const std::string& internalName) const {
    auto bytes = read(internalName);
    if (!bytes) return nullptr;
    try {
        auto file = std::make_shared<ClassFile>(readClassFile(bytes->data(), bytes->size()));
        if (file->thisClass == internalName) return file;
    } catch (const ClassFormatError&) {
        // An unreadable sibling is as good as a missing one: the body
        // prints what it sees without it.
    }
    return nullptr;
}

std::shared_ptr<const ClassFile> declarationsOf(const std::vector<uint8_t>& bytes, const std::string& internalName) {
    try {
        auto file = std::make_shared<ClassFile>(readClassFile(bytes.data(), bytes.size(), false));
        if (file->thisClass == internalName) return file;
    } catch (const ClassFormatError&) {
        // As good as missing: names it would have checked are qualified.
    }
    return nullptr;
}

std::shared_ptr<const ClassFile> SiblingFiles::declarations(const std::string& internalName) const {
    auto bytes = read(internalName);
    return bytes ? declarationsOf(*bytes, internalName) : nullptr;
}

bool isClassPathName(const std::string& internalName) {
    if (internalName.empty() || internalName.size() > 1024) return false;
    size_t start = 0;
    while (start <= internalName.size()) {
        size_t end = internalName.find('/', start);
        if (end == std::string::npos) end = internalName.size();
        const std::string segment = internalName.substr(start, end - start);
        if (segment.empty() || segment == "." || segment == "..") return false;
        start = end + 1;
    }
    for (char c : internalName) {
        if (c == '\\' || c == '\0' || c == ';' || c == '[') return false;
    }
    return true;
}

}  // namespace jad
