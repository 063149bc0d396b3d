// Tidying of the structured tree: jumps that do nothing are removed, labeled
// blocks turned into if/else, infinite loops into while, do/while and for,
// and labels kept only where a jump needs one. Every rule keeps the meaning.
#pragma once

#include "body/ir/Failure.h"
#include "body/ir/Ir.h"

namespace jad::body {

void tidy(StmtList& body, bool isVoid, Budget& budget);

// The single rules, for the driver and for tests.
bool removeTailJumps(StmtList& body);   // break/continue that go where control goes anyway
bool spliceUnusedBlocks(StmtList& body);
bool redirectBreaks(StmtList& body);    // a break out of a block that ends with a loop exits the loop
bool recoverLoops(StmtList& body);      // while, do/while and for out of infinite loops
bool simplifyIfs(StmtList& body);
void unwrapElseAfterJump(StmtList& body);
void markExplicitLabels(StmtList& body);

}  // namespace jad::body
