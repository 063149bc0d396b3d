// Protected ranges as a compiler other than a try statement lays them out:
// javac's record patterns guard each accessor call on its own, with one
// handler for all of them, so no try statement has that shape.
#pragma once

#include <optional>

#include "body/decode/Instruction.h"

namespace jad::body {

// `code` with every protected range widened over the neighbouring
// instructions that cannot throw, and ranges of the same handler that then
// touch joined into one. The behaviour is the same: an instruction that
// cannot throw never reaches a handler. Empty when nothing changes.
std::optional<Code> widenProtectedRanges(const Code& code, const DecodedCode& decoded);

}  // namespace jad::body
