// Pattern switches (Java 21). javac copies the selector into a temporary,
// asks SwitchBootstraps.typeSwitch (or enumSwitch) for the number of the
// first label at or after a restart index that matches, and switches on
// that; each pattern's arm casts the copy into its binding, and a guard
// that fails sets the index past its label and runs the switch again:
//
//     Object t = o; int i = 0;
//     while (true) switch (typeSwitch(t, i, String.class, Integer.class)) {
//     case 0: String s = (String) t; if (s.isEmpty()) { i = 1; continue; } ...
//
// is `switch (o) { case String s when !s.isEmpty(): ... case Integer n: ... }`.
#pragma once

#include "body/ir/Ir.h"

namespace jad::body {

// Folds every such switch whose hidden pieces (the copy, the index, the
// casts into the bindings, the restarts) appear exactly where javac puts
// them and nowhere else; any other is left, and its call is not printable.
// Runs after the locals are declared.
void recoverPatternSwitches(StmtList& body);

}  // namespace jad::body
