// Checks of the IR between passes. They are cheap, but only tests turn them
// on: a broken invariant there is a bug in the pass that ran before.
#pragma once

#include "body/Cfg.h"

namespace jad::body {

void enableInvariantChecks(bool on);
// Throw Unsupported naming the pass when the IR is inconsistent.
void checkBlocks(const Cfg& cfg, const char* afterPass);
void checkTree(const StmtList& body, const char* afterPass);

}  // namespace jad::body
