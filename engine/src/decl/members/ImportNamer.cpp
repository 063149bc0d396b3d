#include "decl/members/ImportNamer.h"

#include <algorithm>
#include <string_view>

#include "classfile/AccessFlags.h"
#include "decl/parts/TypeReferences.h"
#include "print/Names.h"

namespace jad {

namespace {

// Nesting chains longer than this are malformed (or cyclic).
constexpr int MaxNesting = 32;

// Views into the name: a package and a simple name are looked at once per
// referenced class.
std::string_view packageOf(std::string_view internalName) {
    size_t slash = internalName.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : internalName.substr(0, slash);
}

std::string_view simpleOf(std::string_view internalName) {
    size_t slash = internalName.rfind('/');
    return slash == std::string_view::npos ? internalName : internalName.substr(slash + 1);
}

std::string dotted(const std::string& internalName) {
    std::string text = displayName(internalName);
    std::replace(text.begin(), text.end(), '/', '.');
    return text;
}

// The simple names of the member classes that the unit's classes inherit
// from supertypes outside the unit: inside those classes such a name means
// the inherited member, not a top-level class of that name.
std::set<std::string> inheritedMemberNames(const std::vector<const ClassNode*>& nodes, const SiblingFiles& siblings,
                                           const std::string& package) {
    constexpr size_t MaxWalked = 256;
    std::set<std::string> names, seen;
    std::vector<std::string> pending;
    for (const ClassNode* node : nodes) {
        pending.push_back(node->file.superClass);
        pending.insert(pending.end(), node->file.interfaces.begin(), node->file.interfaces.end());
    }
    while (!pending.empty() && seen.size() < MaxWalked) {
        const std::string name = pending.back();
        pending.pop_back();
        if (name.empty() || name == "java/lang/Object" || !seen.insert(name).second) continue;
        const bool samePackage = packageOf(name) == package;
        auto file = samePackage ? siblings.parsed(name) : siblings.platformClass(name);
        if (!file) continue;
        for (const InnerClass& inner : file->innerClasses) {
            if (inner.outerClass == name && !inner.simpleName.empty()) names.insert(displayName(inner.simpleName));
        }
        pending.push_back(file->superClass);
        pending.insert(pending.end(), file->interfaces.begin(), file->interfaces.end());
    }
    return names;
}

// A class of the class path in another package that is not public; true
// when it cannot be read.
bool isPublicClass(const std::string& internalName, const SiblingFiles& siblings) {
    auto file = siblings.classPathClass(internalName);
    return !file || (file->access & access::Public);
}

}  // namespace

ImportNamer::ImportNamer(const ClassNode& top, const SiblingFiles& siblings, bool generic) {
    _generic = generic;
    _packageInternal = std::string(packageOf(top.file.thisClass));
    _package = dotted(_packageInternal);
    countOwnNames(top);
    addOwn(top, displayName(top.name), true);
    addAnonymousMembers(top, std::set<std::string>(_ownSimpleNames));
    ClassNameSet referenced;
    std::vector<const ClassNode*> pending{&top}, all;
    while (!pending.empty()) {
        const ClassNode* node = pending.back();
        pending.pop_back();
        all.push_back(node);
        for (const Field& f : node->file.fields) _fieldNames.insert(f.name);
        addNesting(*node);
        collectReferencedClasses(node->file, referenced);
        if (generic) collectSignatureClasses(node->file, referenced);
        for (const auto& member : node->members) pending.push_back(&member);
        for (const auto& anonymous : node->anonymous) pending.push_back(&anonymous);
        for (const auto& local : node->locals) pending.push_back(&local);
    }
    _inheritedNames = inheritedMemberNames(all, siblings, _packageInternal);
    for (const ClassNode* node : all) _inheritedNames.erase(displayName(node->name));
    decideTopLevel(referenced, siblings);
}

void ImportNamer::countOwnNames(const ClassNode& node) {
    for (const auto& member : node.members) {
        ++_ownNameUses[displayName(member.name)];
        countOwnNames(member);
    }
}

// Direct members of the top class are in scope everywhere in the file by
// their simple names, unless a deeper class of the same name hides them;
// the others are named from their enclosing class.
void ImportNamer::addOwn(const ClassNode& node, const std::string& path, bool isTop) {
    _own[node.file.thisClass] = path;
    _ownSimpleNames.insert(displayName(node.name));
    for (const auto& member : node.members) {
        std::string name = displayName(member.name);
        bool simple = isTop && _ownNameUses[name] == 1;
        addOwn(member, simple ? name : path + "." + name, false);
    }
    addLocals(node);
}

// A local class printed in place is named by its simple name, which no other
// class of the unit has (or it would not be there); so are the classes in
// the anonymous classes around it.
void ImportNamer::addLocals(const ClassNode& node) {
    for (const auto& local : node.locals) addOwn(local, displayName(local.name), false);
    for (const auto& anonymous : node.anonymous) addLocals(anonymous);
}

// A member class of an anonymous class has no qualified name in the source;
// it is named only inside the anonymous class, where its simple name is in
// scope. Only when no other class of the file is named so, since the
// simple name would hide that one there.
void ImportNamer::addAnonymousMembers(const ClassNode& node, const std::set<std::string>& named) {
    for (const auto& anonymous : node.anonymous) {
        for (const auto& member : anonymous.members) {
            std::string name = displayName(member.name);
            if (!named.count(name) && !_own.count(member.file.thisClass)) addOwn(member, name, false);
        }
        addAnonymousMembers(anonymous, named);
    }
    for (const auto& member : node.members) addAnonymousMembers(member, named);
    for (const auto& local : node.locals) addAnonymousMembers(local, named);
}

void ImportNamer::addNesting(const ClassNode& node) {
    for (const InnerClass& inner : node.file.innerClasses) {
        if (inner.outerClass.empty() || inner.simpleName.empty()) continue;
        _nesting.emplace(inner.innerClass, Nesting{inner.outerClass, inner.simpleName});
    }
}

const std::string& ImportNamer::outermost(const std::string& internalName) const {
    const std::string* name = &internalName;
    for (int depth = 0; depth < MaxNesting; ++depth) {
        auto nested = _nesting.find(*name);
        if (nested == _nesting.end() || _own.count(*name)) break;
        name = &nested->second.outer;
    }
    return *name;
}

// A top-level class is named simply when no other class the file names
// shares its simple name; those outside java.lang and this package are
// imported.
void ImportNamer::decideTopLevel(const ClassNameSet& referenced, const SiblingFiles& siblings) {
    // Views into `referenced` and `_nesting`, which outlive this; ordered as
    // the names themselves.
    std::set<std::string_view> topLevel;
    for (const auto& name : referenced) {
        const std::string& top = outermost(name);
        if (!_own.count(top)) topLevel.insert(top);
    }
    std::map<std::string_view, int> uses;
    for (std::string_view name : topLevel) ++uses[simpleOf(name)];
    for (std::string_view name : topLevel) {
        const std::string internalName(name);
        const std::string_view simple = simpleOf(name);
        const std::string_view package = packageOf(name);
        const std::string shown = displayName(std::string(simple));
        bool clash = uses[simple] > 1 || _ownSimpleNames.count(shown) > 0 || _inheritedNames.count(shown) > 0 ||
                     _fieldNames.count(shown) > 0;
        if (package == "java/lang" && siblings.hasClass(std::string(simple)) && package != _packageInternal) clash = true;
        if (clash && !package.empty()) {
            _topLevel[internalName] = dotted(internalName);
            continue;
        }
        bool implied = package.empty() || package == _packageInternal || package == "java/lang";
        if (!implied && _generic && !isPublicClass(internalName, siblings)) {
            // Only its package may import it; the bytecode names it where the
            // source wrote a subclass, as a call's parameter type.
            _topLevel[internalName] = dotted(internalName);
            continue;
        }
        _topLevel[internalName] = displayName(std::string(simple));
        if (!implied) _imports.push_back(dotted(internalName));
    }
    std::sort(_imports.begin(), _imports.end());
}

std::string ImportNamer::qualified(const std::string& internalName) const {
    auto decided = _topLevel.find(internalName);
    if (decided != _topLevel.end()) return decided->second;
    return dotted(internalName);
}

std::string ImportNamer::resolve(const std::string& internalName, int depth) const {
    auto own = _own.find(internalName);
    if (own != _own.end()) return own->second;
    auto nested = _nesting.find(internalName);
    if (nested != _nesting.end() && depth < MaxNesting) {
        return resolve(nested->second.outer, depth + 1) + "." + displayName(nested->second.simpleName);
    }
    return qualified(internalName);
}

std::string ImportNamer::className(const std::string& internalName) const {
    auto cached = _cache.find(internalName);
    if (cached != _cache.end()) return cached->second;
    std::string name = resolve(internalName, 0);
    _cache.emplace(internalName, name);
    return name;
}

}  // namespace jad
