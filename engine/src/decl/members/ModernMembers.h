// Field and method declarations in the modern dialect: generic types,
// annotations, varargs, default and private interface methods, annotation
// elements with their defaults, enum and record constructors as declared.
#pragma once

#include "decl/members/MemberPrinter.h"

namespace jad {

void printModernField(SourceWriter& out, const MemberContext& context, const Field& field);
void printModernMethod(SourceWriter& out, const MemberContext& context, const Method& method);

}  // namespace jad
