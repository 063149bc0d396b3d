// The reference types a StackMapTable records for locals. javac writes the
// declared type of every local in scope and assigned at a frame, so without
// debug information these are the surest types a local can get.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "body/decode/Instruction.h"
#include "classfile/Descriptor.h"

namespace jad::body {

struct FrameLocals {
    size_t insn = 0;  // instruction index the frame holds at
    // Slot and its class name, as typeOfClassName takes it; the names point
    // into the frames of the Code. Equal names are equal types.
    std::vector<std::pair<uint32_t, const std::string*>> references;
};

// One entry per frame that falls on an instruction; null and uninitialised
// entries are left out, since they say nothing about a declaration. Class
// names are well formed.
std::vector<FrameLocals> frameReferenceLocals(const Code& raw, const DecodedCode& code);

}  // namespace jad::body
