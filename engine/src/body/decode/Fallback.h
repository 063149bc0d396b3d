// The body printed for a method that cannot be decompiled.
#pragma once

#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"

namespace jad {

// A `//` disassembly listing of the code followed by
// `throw new RuntimeException("...")` naming `reason`, so the file still
// parses and compiles.
std::vector<std::string> fallbackBody(const BodyRequest& request, const std::string& reason);

}  // namespace jad
