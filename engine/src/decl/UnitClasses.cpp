#include "decl/UnitClasses.h"

namespace jad {

UnitClasses::UnitClasses(const SiblingFiles& siblings, const std::string& topClass)
    : _siblings(siblings), _package(topClass.substr(0, topClass.rfind('/') + 1)) {}

const ClassFile* UnitClasses::findClass(const std::string& internalName) const {
    const bool samePackage = internalName.size() > _package.size() &&
                             internalName.compare(0, _package.size(), _package) == 0 &&
                             internalName.find('/', _package.size()) == std::string::npos;
    if (!samePackage) return nullptr;
    auto found = _read.find(internalName);
    if (found != _read.end()) return found->second.get();
    if (_read.size() >= MaxClasses) return nullptr;
    return _read.emplace(internalName, _siblings.parsed(internalName)).first->second.get();
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
