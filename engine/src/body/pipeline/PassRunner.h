// Runs a list of passes over one method, checking the IR after each when
// the options ask for it and keeping a dump of it after the pass they name.
#pragma once

#include <string>
#include <vector>

#include "body/pipeline/MethodPasses.h"

namespace jad::body {

// A broken invariant is recorded in the options' report and thrown as
// Unsupported naming the pass and the method, so the method takes its
// fallback body.
void runPasses(const std::vector<Pass>& passes, MethodState& state);

// "a/b/C.m(I)V": the method as the reports name it.
std::string methodLabel(const MethodState& state);

}  // namespace jad::body
