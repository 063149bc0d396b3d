// Folds temporaries back into the expressions they came from: a temporary
// assigned once and read once in the next statement is substituted when that
// keeps the order of evaluation; post- and pre-increments, assignments used
// as values and array initializers are recognised on the way.
#pragma once

#include "body/ir/Failure.h"
#include "body/ir/Ir.h"

namespace jad::body {

// Var::defs and Var::uses must be current; they are kept current.
// `exit` is the block's condition or selector, evaluated after the list.
bool foldTemps(StmtList& stmts, ExprPtr* exit, Budget& budget);

// An lvalue whose evaluation has no effects and is cheap to repeat.
bool isSimpleLvalue(const Expr& e);

}  // namespace jad::body
