// The method a bridge method calls, read from its few instructions.
#pragma once

#include <optional>

#include "classfile/ClassFile.h"

namespace jad {

// The member a bridge's code invokes; nothing when its code is not the
// loads, casts, one call and return that compilers emit.
std::optional<MemberRef> bridgeTarget(const ClassFile& owner, const Method& bridge);

}  // namespace jad
