#include "classfile/ClassReader.h"
#include "decl/ClassTree.h"

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

std::shared_ptr<const ClassFile> SiblingFiles::declarations(const std::string& internalName) const {
    auto bytes = read(internalName);
    if (!bytes) return nullptr;
    try {
        auto file = std::make_shared<ClassFile>(readClassFile(bytes->data(), bytes->size(), false));
        if (file->thisClass == internalName) return file;
    } catch (const ClassFormatError&) {
        // As good as missing: names it would have checked are qualified.
    }
    return nullptr;
}

}  // namespace jad
