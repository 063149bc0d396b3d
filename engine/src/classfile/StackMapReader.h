// StackMapTable, expanded from its compressed deltas to absolute frames.
#pragma once

#include <vector>

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

struct FrameLimits {
    uint32_t codeLength = 0;
    uint16_t maxLocals = 0;
    uint16_t maxStack = 0;
};

// `initial` is the implicit frame at offset 0 (this and the parameters).
std::vector<StackMapFrame> readStackMap(ByteCursor& in, ReadContext& context,
                                        std::vector<VerificationType> initial, const FrameLimits& limits);

// The implicit first frame of a method: `this` (uninitialised in a
// constructor) unless static, then one entry per parameter.
std::vector<VerificationType> initialLocals(const std::string& thisClass, const Method& method);

}  // namespace jad
