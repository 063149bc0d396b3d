// Prints one class with its members and member classes, bodies included.
#pragma once

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"
#include "print/SourceWriter.h"

namespace jad {

void printClass(SourceWriter& out, const ClassNode& node, const TypeNamer& types, const PrintOptions& options,
                const UnitContext* unit);

}  // namespace jad
