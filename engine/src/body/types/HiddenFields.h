// Field accesses whose printed form would find another field: `super.f`
// and `((Base) obj).f` compile to an access naming the base class, with no
// cast in the bytecode, while `f` or `obj.f` would find the field of the
// same name that a subclass (or an inner class) declares.
#pragma once

#include "body/ir/Ir.h"
#include "body/types/Hierarchy.h"

namespace jad::body {

// Marks `super.f` (op "super") or casts the receiver to the field's class
// wherever the receiver's own type might find another field, or the lookup
// cannot tell. `plainThis`: `this` prints as `this` (not inside a lambda's
// class, where it is `Outer.this`).
void qualifyHiddenFields(StmtList& body, const ClassFile& owner, const Hierarchy& hierarchy, bool plainThis);

}  // namespace jad::body
