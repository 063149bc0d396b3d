// What the classes the engine can see say about a member's name: which
// field a name finds from a given class, and whether a method name has
// other overloads of the same arity. A class that cannot be read makes
// every answer the cautious one.
#pragma once

#include <optional>
#include <set>
#include <vector>
#include <string>
#include <unordered_map>

#include "body/ir/BodyRequest.h"
#include "classfile/ClassFile.h"

namespace jad::body {

class Hierarchy {
public:
    Hierarchy(const ClassFile& self, const UnitContext* unit) : _self(self), _unit(unit) {}

    // The class declaring the field that `name` finds as a member of `cls`
    // under Java's rules: `cls` itself, else what its superclass and
    // superinterfaces find, which must agree. Empty when no class has it;
    // nothing when a class on the way cannot be read or the name is ambiguous.
    std::optional<std::string> fieldOwner(const std::string& cls, const std::string& name) const;

    // Whether a call of `name` with `descriptor` on `cls` might select
    // another method of the same arity: one declared there or inherited, or
    // a class on the way that cannot be read. Constructors (`<init>`) are
    // looked up in `cls` alone.
    // With `byParameters`, a method of the same parameters and another
    // result (a covariant redeclaration) is not another method, nor is one
    // a bridge of the hierarchy says is overridden.
    bool mayOverload(const std::string& cls, const std::string& name, const std::string& descriptor,
                     bool byParameters = false) const;

    // Whether a call of `name` with `descriptor` on `cls`, its arguments
    // printed with the static types `arguments`, surely selects that method:
    // every other method of its arity either cannot take them (without
    // boxing) or is less specific. False whenever a class cannot be read.
    bool selects(const std::string& cls, const std::string& name, const std::string& descriptor,
                 const std::vector<JavaType>& arguments) const;

    // `sub` is a subtype of `super` (or widens to it), as far as the
    // classes that can be read show.
    bool isSubtype(const JavaType& sub, const JavaType& super) const;

    const ClassFile* find(const std::string& cls) const;

    // Whether neither `cls` nor any of its supertypes declares a field (or a
    // method, when `isMethod`) named `name`, so that a simple name used
    // inside `cls` looks past it. False whenever a class cannot be read.
    bool surelyLacks(const std::string& cls, const std::string& name, bool isMethod) const;

    // The method `name` with `descriptor` that `cls` declares or inherits;
    // null when it cannot be found.
    const Method* declaration(const std::string& cls, const std::string& name, const std::string& descriptor) const;

private:
    using Supertypes = std::optional<std::set<std::string>>;
    // Every supertype of `cls`, itself included; nothing when one cannot be
    // read. Walked once per class: a body asks about the same few classes.
    const Supertypes& supertypes(const std::string& cls) const;
    Supertypes walkSupertypes(const std::string& cls) const;
    bool surelyNotAssignable(const JavaType& from, const JavaType& to) const;

    std::optional<std::string> fieldOwner(const std::string& cls, const std::string& name, int depth) const;

    const ClassFile& _self;
    const UnitContext* _unit;
    mutable std::unordered_map<std::string, Supertypes> _supertypes;
};

}  // namespace jad::body
