// Checks of the IR between passes, run when the options ask for them: a
// broken invariant is a bug in the pass that ran before.
#pragma once

#include <optional>
#include <string>

#include "body/flow/Cfg.h"

namespace jad::body {

// What is inconsistent in the blocks' statements and edges; nothing when
// all holds.
std::optional<std::string> checkBlocks(const Cfg& cfg);
// The same for a statement tree.
std::optional<std::string> checkTree(const StmtList& body);

}  // namespace jad::body
