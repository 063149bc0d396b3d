#include "decl/UnitClasses.h"

namespace jad {

namespace {

void indexTree(const ClassNode& node, std::map<std::string, const ClassFile*>& index) {
    index.emplace(node.file.thisClass, &node.file);
    for (const ClassNode& member : node.members) indexTree(member, index);
    for (const ClassNode& anonymous : node.anonymous) indexTree(anonymous, index);
}

}  // namespace

UnitClasses::UnitClasses(const SiblingFiles& siblings, const ClassNode& top)
    : _siblings(siblings), _package(top.file.thisClass.substr(0, top.file.thisClass.rfind('/') + 1)) {
    // Already parsed, and what the unit prints: no need to read them again.
    indexTree(top, _tree);
}

const ClassFile* UnitClasses::findClass(const std::string& internalName) const {
    const bool samePackage = internalName.size() > _package.size() &&
                             internalName.compare(0, _package.size(), _package) == 0 &&
                             internalName.find('/', _package.size()) == std::string::npos;
    if (!samePackage) return nullptr;
    auto inTree = _tree.find(internalName);
    if (inTree != _tree.end()) return inTree->second;
    auto found = _read.find(internalName);
    if (found != _read.end()) return found->second.get();
    if (_read.size() >= MaxClasses) return nullptr;
    return _read.emplace(internalName, _siblings.parsed(internalName)).first->second.get();
}

const ClassFile* UnitClasses::findType(const std::string& internalName) const {
    if (const ClassFile* own = findClass(internalName)) return own;
    auto found = _platform.find(internalName);
    if (found != _platform.end()) return found->second.get();
    if (_platform.size() >= MaxClasses) return nullptr;
    return _platform.emplace(internalName, _siblings.platformClass(internalName)).first->second.get();
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
