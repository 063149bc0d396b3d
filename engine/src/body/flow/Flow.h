// Facts about structured statements that the tidying rules rely on: whether
// a statement can complete normally (as Java's reachability rules decide),
// and which jumps name which label.
#pragma once

#include "body/ir/Ir.h"

namespace jad::body {

bool canComplete(const Stmt& s);
bool canComplete(const StmtList& list);
bool isJumpTo(const Stmt& s, StmtKind kind, int label);
// Number of break and continue statements naming `label` anywhere in `list`.
int countJumps(const StmtList& list, int label);
// Whether a break or continue naming `label` occurs in `list`.
bool hasJump(const StmtList& list, StmtKind kind, int label);
// Rewrites every jump of `kind` naming `label` (not inside nested constructs
// that rebind nothing: labels are unique, so everywhere).
void retarget(StmtList& list, StmtKind kind, int label, StmtKind newKind, int newLabel);

}  // namespace jad::body
