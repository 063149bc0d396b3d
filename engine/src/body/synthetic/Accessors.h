// javac (before nestmates) reaches private members of another class of the
// same nest through static synthetic `access$NNN` methods and, for private
// constructors, through a constructor taking an extra `Outer$1` argument.
// Calls to them become the direct access the source wrote.
#pragma once

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

namespace jad::body {

// The expression an accessor stands for, with its parameters as Local nodes
// of kind Parameter (slot = parameter index); null when `method` is not one
// of the forms javac makes.
ExprPtr accessorTemplate(const ClassFile& owner, const Method& method);

// Replaces every call to an accessor of a class in the unit by what the
// accessor does; throws Unsupported for an accessor of an unknown form.
void inlineAccessors(StmtList& body, const ClassFile& owner, const UnitContext* unit);

}  // namespace jad::body
