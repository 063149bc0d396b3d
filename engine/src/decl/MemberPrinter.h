// Field and method declarations; method bodies come from the body decompiler.
#pragma once

#include "body/MethodBody.h"
#include "decl/ClassTree.h"
#include "print/SourceWriter.h"

namespace jad {

struct MemberContext {
    const ClassNode& owner;
    const TypeNamer& types;
    const PrintOptions& options;
};

void printField(SourceWriter& out, const MemberContext& context, const Field& field);
void printMethod(SourceWriter& out, const MemberContext& context, const Method& method);

}  // namespace jad
