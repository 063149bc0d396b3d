// What the classes the engine can see say about a member's name: which
// field a name finds from a given class, and whether a method name has
// other overloads of the same arity. A class that cannot be read makes
// every answer the cautious one.
#pragma once

#include <optional>
#include <string>

#include "body/MethodBody.h"
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
    bool mayOverload(const std::string& cls, const std::string& name, const std::string& descriptor) const;

    const ClassFile* find(const std::string& cls) const;

private:
    std::optional<std::string> fieldOwner(const std::string& cls, const std::string& name, int depth) const;

    const ClassFile& _self;
    const UnitContext* _unit;
};

}  // namespace jad::body
