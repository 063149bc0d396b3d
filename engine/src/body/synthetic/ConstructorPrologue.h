// What comes before a constructor's this(...) or super(...) call: the
// stores javac makes there of its own, and the check that nothing else is
// left in front of the call.
#pragma once

#include "body/ir/Ir.h"
#include "classfile/ClassFile.h"

namespace jad::body {

// javac stores the outer instance and captured values in synthetic fields
// before calling the super constructor; the source never wrote those stores.
bool isPlumbing(const Stmt& s, const ClassFile& owner);

// Drops the statements before the constructor call when all are plumbing.
void dropPlumbingBeforeConstructorCall(StmtList& body, const ClassFile& owner);

// Java wants this(...) or super(...) first; code before it cannot be
// printed: throws Unsupported.
void checkConstructorCall(const StmtList& body);

}  // namespace jad::body
