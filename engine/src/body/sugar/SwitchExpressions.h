// Switch expressions (Java 14 and later). javac keeps a switch expression's
// value on the operand stack until its arms join; the stack pass gives that
// value a temporary which every arm assigns last and the next statement
// reads once. Folded back, the switch stands where the read was:
// `int v = switch (k) { case 1, 2 -> 10; default -> { ...; yield n; } };`.
#pragma once

#include <set>
#include <string>

#include "body/ir/Ir.h"

namespace jad::body {

// Folds every such switch whose arms all end by assigning the temporary or
// by throwing, that nothing leaves otherwise, and whose value is read where
// nothing with an effect is evaluated before it. Runs after the locals are
// declared; a local of an arm renamed to keep clear of the next statement's
// declaration is added to `localNames`.
void foldSwitchExpressions(StmtList& body, std::set<std::string>& localNames);

// The value an arm's statement gives a switch expression: `tmp = value;`.
const Expr* yieldedValue(const Stmt& s, const Var* tmp);

}  // namespace jad::body
