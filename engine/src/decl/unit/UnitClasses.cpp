#include "decl/unit/UnitClasses.h"

namespace jad {

namespace {

void indexTree(const ClassNode& node, std::unordered_map<std::string, const ClassFile*>& index) {
    index.emplace(node.file.thisClass, &node.file);
    for (const ClassNode& member : node.members) indexTree(member, index);
    for (const ClassNode& anonymous : node.anonymous) indexTree(anonymous, index);
}

}  // namespace

UnitClasses::UnitClasses(const SiblingFiles& siblings, const ClassNode& top, bool classPath)
    : _siblings(siblings), _package(top.file.thisClass.substr(0, top.file.thisClass.rfind('/') + 1)), _classPath(classPath) {
    // Already parsed, and what the unit prints: no need to read them again.
    indexTree(top, _tree);
}

bool UnitClasses::inPackage(const std::string& internalName) const {
    return internalName.size() > _package.size() && internalName.compare(0, _package.size(), _package) == 0 &&
           internalName.find('/', _package.size()) == std::string::npos;
}

const ClassFile* UnitClasses::findClass(const std::string& internalName) const {
    if (!inPackage(internalName)) return nullptr;
    auto inTree = _tree.find(internalName);
    if (inTree != _tree.end()) return inTree->second;
    auto found = _read.find(internalName);
    if (found != _read.end()) return found->second.get();
    if (_read.size() >= MaxClasses) return nullptr;
    const ClassFile* file = _read.emplace(internalName, _siblings.parsed(internalName)).first->second.get();
    if (file) _types.erase(internalName);
    return file;
}

const ClassFile* UnitClasses::findType(const std::string& internalName) const {
    auto known = _types.find(internalName);
    if (known != _types.end()) return known->second;
    const ClassFile* file = typeOnce(internalName);
    // Past the bound nothing is kept, and the answer is asked for afresh.
    if (file || _declared.count(internalName)) _types.emplace(internalName, file);
    return file;
}

const ClassFile* UnitClasses::typeOnce(const std::string& internalName) const {
    auto inTree = _tree.find(internalName);
    if (inTree != _tree.end()) return inTree->second;
    auto read = _read.find(internalName);
    if (read != _read.end() && read->second) return read->second.get();
    auto found = _declared.find(internalName);
    if (found != _declared.end()) return found->second.get();
    if (_declared.size() >= MaxClasses) return nullptr;
    // Only the declarations are looked at: the code of a large sibling
    // would cost more than the body asking about it.
    auto declared = inPackage(internalName) ? _siblings.declarations(internalName) : elsewhere(internalName);
    return _declared.emplace(internalName, std::move(declared)).first->second.get();
}

// The platform's class first: the compiler looks there before the class path.
std::shared_ptr<const ClassFile> UnitClasses::elsewhere(const std::string& internalName) const {
    if (auto platform = _siblings.platformClass(internalName)) return platform;
    return _classPath ? _siblings.classPathClass(internalName) : nullptr;
}

std::optional<AnonymousClass> UnitClasses::anonymousClass(const std::string& internalName,
                                                          const AnonymousSite& site) const {
    const ClassFile* file = findClass(internalName);
    if (!file || !isAnonymousClass(*file)) return std::nullopt;
    return printAnonymousClass(*file, site, {_siblings, *this, _captures, _captureTypes});
}

std::shared_ptr<const GenericType> UnitClasses::capturedType(const std::string& internalName, const std::string& field) const {
    auto found = _captureTypes.find(internalName);
    if (found == _captureTypes.end()) return nullptr;
    auto type = found->second.find(field);
    return type == found->second.end() ? nullptr : type->second;
}

const std::map<std::string, std::string>* UnitClasses::capturedNames(const std::string& internalName) const {
    auto found = _captures.find(internalName);
    return found == _captures.end() ? nullptr : &found->second;
}

}  // namespace jad
