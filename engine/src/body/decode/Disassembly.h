// A readable listing of decoded instructions, safe inside `//` comments.
#pragma once

#include <string>
#include <vector>

#include "body/decode/Instruction.h"

namespace jad::body {

// Text that cannot end a line comment or form a unicode escape: printable
// ASCII only, backslashes doubled, anything else as '?'.
std::string commentSafe(const std::string& text);

// "  12: invokevirtual java/io/PrintStream.println(I)V"
std::string describeInstruction(const Instruction& insn, const ConstantPool& pool);

// One line per instruction (switch cases on lines of their own), then the
// exception table; at most `limit` lines, the rest summarised.
std::vector<std::string> disassemble(const DecodedCode& code, const Code& raw, const ConstantPool& pool,
                                     size_t limit);

}  // namespace jad::body
