#include "decl/UnitClasses.h"

#include "classfile/ClassReader.h"

namespace jad {

const ClassFile* UnitClasses::findClass(const std::string& internalName) const {
    auto found = _read.find(internalName);
    if (found != _read.end()) return found->second.get();
    if (_read.size() >= MaxClasses) return nullptr;
    std::unique_ptr<ClassFile> file;
    if (auto bytes = _siblings.read(internalName)) {
        try {
            auto parsed = std::make_unique<ClassFile>(readClassFile(bytes->data(), bytes->size()));
            if (parsed->thisClass == internalName) file = std::move(parsed);
        } catch (const ClassFormatError&) {
            // An unreadable sibling is as good as a missing one: the body
            // prints what it sees without it.
        }
    }
    return _read.emplace(internalName, std::move(file)).first->second.get();
}

std::optional<AnonymousClass> UnitClasses::anonymousClass(const std::string& internalName,
                                                          const AnonymousSite& site) const {
    const ClassFile* file = findClass(internalName);
    if (!file || !isAnonymousClass(*file)) return std::nullopt;
    return printAnonymousClass(*file, site, {_siblings, *this, _captures});
}

const std::map<std::string, std::string>* UnitClasses::capturedNames(const std::string& internalName) const {
    auto found = _captures.find(internalName);
    return found == _captures.end() ? nullptr : &found->second;
}

}  // namespace jad
