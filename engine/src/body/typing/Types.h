// Types of variables without debug information, inferred from the values
// assigned and the places they are used (boolean, char, byte, short and int
// told apart), then casts and literal forms so every expression has the type
// its context needs.
#pragma once

#include "body/ir/Failure.h"
#include "body/ir/Ir.h"
#include "classfile/ClassFile.h"

namespace jad::body {

class Hierarchy;

struct MethodTypes {
    JavaType returnType;
    const ClassFile* owner = nullptr;  // its own overloads need arguments of the exact types
    // When set, the overloads of every class it can see (and every class it
    // cannot) need them too.
    const Hierarchy* hierarchy = nullptr;
    // Declarations and calls print with their type arguments (-m); without
    // them every receiver is raw and an erasure always fits a parameter.
    bool generic = false;
};

void inferTypes(StmtList& body, const std::vector<VarPtr>& vars, const MethodTypes& method, Budget& budget);
void coerceTypes(StmtList& body, const MethodTypes& method, Budget& budget);

// Recomputes the types of expressions that depend on their operands.
void retype(Expr& e);

}  // namespace jad::body
