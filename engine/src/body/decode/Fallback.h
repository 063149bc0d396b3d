// The body printed for a method that cannot be decompiled.
#pragma once

#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"

namespace jad {

// A `//` disassembly listing of the code followed by
// `throw new RuntimeException("...")` naming `reason`, so the file still
// parses and compiles; a constructor's calls the constructor it must call
// first. Not `decompiled`.
DecompiledBody fallbackBody(const BodyRequest& request, const std::string& reason);

}  // namespace jad
