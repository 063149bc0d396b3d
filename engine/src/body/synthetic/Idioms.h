// Source forms recovered from what javac makes of them: string
// concatenation from StringBuilder chains, compound assignments and
// increments, the implicit super() call.
#pragma once

#include "body/ir/Ir.h"

namespace jad::body {

void recoverIdioms(StmtList& body);

// Drops a constructor's first statement when it is the `super()` the
// compiler adds by itself.
void dropImplicitSuperCall(StmtList& body, const std::string& superClass);

}  // namespace jad::body
