// Helpers for reading small compiler-made methods straight from their
// instructions, where the shape is fixed and decompiling them whole would
// be more than the question needs.
#pragma once

#include <optional>

#include "body/decode/Instruction.h"
#include "body/decode/Opcodes.h"

namespace jad::body {

// The int an iconst_*, bipush or sipush pushes.
inline std::optional<int32_t> pushedInt(const Instruction& insn) {
    if (insn.opcode >= op::iconst_m1 && insn.opcode <= op::iconst_5) return insn.opcode - op::iconst_0;
    if (insn.opcode == op::bipush || insn.opcode == op::sipush) return insn.value;
    return std::nullopt;
}

// The method `name` with descriptor `descriptor` (any descriptor when empty)
// that has code, or null.
inline const Method* methodWithCode(const ClassFile& file, const std::string& name, const std::string& descriptor) {
    for (const Method& m : file.methods) {
        if (m.name == name && (descriptor.empty() || m.descriptor == descriptor) && m.code) return &m;
    }
    return nullptr;
}

}  // namespace jad::body
