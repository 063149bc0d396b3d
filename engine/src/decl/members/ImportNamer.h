// Names types for one output file and decides its imports up front, from
// everything the class and its member classes refer to.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "decl/members/ClassTree.h"
#include "decl/parts/TypeReferences.h"
#include "print/TypeNamer.h"

namespace jad {

class ImportNamer : public TypeNamer {
public:
    // `generic`: the output declares generic types, so the classes their
    // signatures name are referred to too.
    ImportNamer(const ClassNode& top, const SiblingFiles& siblings, bool generic = false);

    std::string className(const std::string& internalName) const override;

    // Qualified names to import, sorted: "java.util.List".
    const std::vector<std::string>& imports() const { return _imports; }
    // The package in source form, empty for the default package.
    const std::string& packageName() const { return _package; }

private:
    struct Nesting {
        std::string outer;
        std::string simpleName;
    };

    void countOwnNames(const ClassNode& node);
    void addOwn(const ClassNode& node, const std::string& path, bool isTop);
    void addLocals(const ClassNode& node);
    void addAnonymousMembers(const ClassNode& node, const std::set<std::string>& named);
    void addNesting(const ClassNode& node);
    void decideTopLevel(const ClassNameSet& referenced, const SiblingFiles& siblings);
    const std::string& outermost(const std::string& internalName) const;
    std::string resolve(const std::string& internalName, int depth) const;
    std::string qualified(const std::string& internalName) const;

    bool _generic = false;  // the modern dialect, which sees the class path's other packages
    std::string _packageInternal;
    std::string _package;
    std::unordered_map<std::string, std::string> _own;       // internal name -> name in the file
    std::set<std::string> _ownSimpleNames;
    std::set<std::string> _inheritedNames;  // member classes inherited from outside the unit
    // Fields of the unit's classes: where one is in scope its name means the
    // field, so `Name.member` would not reach a class of that name.
    std::set<std::string> _fieldNames;
    std::map<std::string, int> _ownNameUses;
    std::unordered_map<std::string, Nesting> _nesting;      // member class -> outer and simple name
    std::unordered_map<std::string, std::string> _topLevel;  // decided names of top-level classes
    std::vector<std::string> _imports;
    mutable std::unordered_map<std::string, std::string> _cache;
};

}  // namespace jad
