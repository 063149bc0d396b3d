// Block-level simplification before structuring: short-circuit conditions
// (&&, ||), conditional expressions (?:) and straight-line block chains are
// collapsed, and temporaries folded, until nothing changes.
#pragma once

#include "body/flow/Cfg.h"

namespace jad::body {

void simplifyBlocks(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, std::vector<VarPtr>& vars,
                    Budget& budget);

}  // namespace jad::body
