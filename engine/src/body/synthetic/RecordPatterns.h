// Record patterns in pattern switches (Java 21). For `case R(int x, Q(var a), T t)`
// javac casts the selector's copy into a temporary of R, calls each accessor
// (every call inside a handler that rethrows what it throws as a
// MatchException), tests each value a nested pattern narrows and restarts
// the switch past the label when a test fails; a nested record's components
// come after all of its parent's.
#pragma once

#include <vector>

#include "body/flow/Cfg.h"
#include "body/types/Hierarchy.h"

namespace jad::body {

// Replaces each such chain with `r = (R) copy`, standing for the pattern,
// and one store per binding (`x = r.x()`, `a = ((Q) r.q()).a()`), and takes
// the wrapping handler off the blocks. All or nothing for a method: when an
// accessor call under such a handler is left outside the chains taken, the
// blocks stay as they were. The pattern switch pass folds the stores into
// the case label; a pattern it cannot fold stops the printer. The
// temporaries it makes join `vars`.
//
// With `tests`, so too the chain after `x instanceof R` that a record
// pattern in instanceof makes, its failed tests going where the
// instanceof's failure goes; the instanceof pattern pass folds it into the
// test. True when such a chain was folded.
bool foldRecordPatternChains(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, const Hierarchy& hierarchy,
                             std::vector<VarPtr>& vars, bool tests);

}  // namespace jad::body
