// The IR of a method as text, for --dump-after: the blocks with their
// statements and edges before structuring, the statements after.
#pragma once

#include <string>
#include <vector>

#include "body/pipeline/MethodState.h"

namespace jad::body {

// Never throws: what cannot be printed yet is named instead.
std::vector<std::string> dumpIr(const MethodState& state);

}  // namespace jad::body
