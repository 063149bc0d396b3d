#include "body/decode/BridgeTarget.h"

namespace jad {

namespace {

// Instruction lengths of what a bridge contains; 0 for anything else.
int lengthOf(uint8_t opcode) {
    if (opcode >= 0x1a && opcode <= 0x2d) return 1;    // xload_n
    if (opcode >= 0x15 && opcode <= 0x19) return 2;    // xload index
    if (opcode >= 0xac && opcode <= 0xb1) return 1;    // xreturn, return
    if (opcode == 0xc0) return 3;                      // checkcast
    if (opcode >= 0xb6 && opcode <= 0xb8) return 3;    // invokevirtual, invokespecial, invokestatic
    if (opcode == 0xb9) return 5;                      // invokeinterface
    if (opcode == 0x59 || opcode == 0x57) return 1;    // dup, pop
    return 0;
}

bool isInvoke(uint8_t opcode) { return opcode >= 0xb6 && opcode <= 0xb9; }

}  // namespace

std::optional<MemberRef> bridgeTarget(const ClassFile& owner, const Method& bridge) {
    if (!bridge.code) return std::nullopt;
    const std::vector<uint8_t>& code = bridge.code->bytes;
    std::optional<MemberRef> target;
    for (size_t pc = 0; pc < code.size();) {
        int length = lengthOf(code[pc]);
        if (length == 0 || pc + static_cast<size_t>(length) > code.size()) return std::nullopt;
        if (isInvoke(code[pc])) {
            if (target) return std::nullopt;
            uint16_t index = static_cast<uint16_t>((code[pc + 1] << 8) | code[pc + 2]);
            try {
                target = owner.pool.memberRef(index);
            } catch (const ClassFormatError&) {
                return std::nullopt;
            }
        }
        pc += static_cast<size_t>(length);
    }
    return target;
}

}  // namespace jad
