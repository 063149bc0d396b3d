// `instanceof` patterns, for the modern dialect at level 16 and later.
//
// javac compiles `x instanceof T t` to the test, then `t = (T) x` where the
// match is known: first in the branch the test guards, or right after an
// `if` that leaves when the test fails. That store and the declaration it
// carries become the pattern, and only where the language gives the pattern
// variable the very scope the local had.
//
// A record pattern (Java 21) comes as `R r = (R) x` marked with the
// pattern, then one store per binding read from r: all of them go, and the
// test prints the pattern. A bound in the then-branch, or after an `if` that
// leaves when the test fails, is in the scope the pattern gives it.
#pragma once

#include "body/ir/Ir.h"

namespace jad::body {

// Marks each folded InstanceOf with its pattern variable (Expr::var) and
// drops the store; runs after locals are declared.
void foldInstanceOfPatterns(StmtList& body);

}  // namespace jad::body
