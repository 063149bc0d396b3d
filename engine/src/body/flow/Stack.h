// Stack to expressions: simulates the operand stack of every block so that
// each block holds statements and its exit holds a condition or selector.
// Values left on the stack across an edge become temporaries; a value used
// twice (dup forms) is first stored in a temporary, which later passes fold
// back into the expression the source had.
#pragma once

#include "body/flow/Cfg.h"
#include "body/flow/Locals.h"
#include "classfile/ClassFile.h"

namespace jad::body {

struct StackInput {
    const DecodedCode& code;
    Cfg& cfg;
    const std::vector<int>& order;  // reachable blocks in reverse postorder
    const Code& raw;
    const ClassFile& owner;
    const Method& method;
    Locals& locals;
};

// Fills every reachable block's statements and exit; temporaries it makes are
// appended to locals.all.
void buildExpressions(StackInput& input, Budget& budget);

}  // namespace jad::body
