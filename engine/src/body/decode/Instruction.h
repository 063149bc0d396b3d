// One decoded JVM instruction, with every operand already range-checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad::body {

struct SwitchCase {
    int32_t key = 0;
    uint32_t target = 0;
};

struct Instruction {
    uint32_t pc = 0;
    uint32_t length = 0;
    uint8_t opcode = 0;
    bool wide = false;
    uint32_t index = 0;   // local slot or constant-pool index
    int32_t value = 0;    // push constant, iinc increment, newarray type, dimensions, interface count
    uint32_t target = 0;  // branch target; the default of a switch
    std::vector<SwitchCase> cases;

    bool isBranch() const;       // conditional or unconditional jump, jsr included
    bool isConditional() const;  // if*
    bool isSwitch() const;
    bool endsFlow() const;       // nothing falls through: goto, return, throw, switch, ret
};

struct DecodedCode {
    std::vector<Instruction> instructions;
    // Empty when the whole code decoded; otherwise why decoding stopped (the
    // instructions before the fault are kept for the listing).
    std::string error;
    // For every byte offset, the instruction starting there, or -1.
    std::vector<int32_t> atPc;

    bool ok() const { return error.empty(); }
    const Instruction* at(uint32_t pc) const {
        return pc < atPc.size() && atPc[pc] >= 0 ? &instructions[static_cast<size_t>(atPc[pc])] : nullptr;
    }
};

// Decodes `code.bytes`; pool indexes are checked against `pool` (range and
// tag family), local slots against max_locals, branch targets against
// instruction boundaries, and exception ranges against the code.
DecodedCode decode(const Code& code, const ConstantPool& pool);

}  // namespace jad::body
