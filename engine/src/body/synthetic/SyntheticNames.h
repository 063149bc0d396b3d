// References to the compiler-made members the output keeps ($VALUES,
// $assertionsDisabled, $values()) use the legal names their declarations
// print; a `$values()` that only builds the array of the enum's constants is
// written out where it is called, since its declaration is hidden.
#pragma once

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

namespace jad::body {

void nameSyntheticMembers(StmtList& body, const ClassFile& owner, const UnitContext* unit);

}  // namespace jad::body
