// Splits local-variable slots into variables: every store and every read it
// reaches belong to one variable (a def-use web), so a slot reused for
// another purpose becomes another variable. Names and types come from the
// LocalVariableTable when it has them.
#pragma once

#include <string>
#include <vector>

#include "body/flow/Cfg.h"
#include "classfile/ClassFile.h"

namespace jad::body {

struct LocalAccess {
    bool isLocal = false;
    bool load = false, store = false;
    uint32_t slot = 0;
    char category = 'I';  // 'I' 'J' 'F' 'D' 'A'
};
LocalAccess localAccess(const Instruction& insn);

struct Locals {
    std::vector<VarPtr> varOf;  // per instruction index, for loads, stores and iinc
    VarPtr thisVar;             // null in static methods
    std::vector<VarPtr> params;
    std::vector<VarPtr> all;
};

struct LocalsInput {
    const DecodedCode& code;
    const Cfg& cfg;
    const std::vector<int>& order;  // reachable blocks in reverse postorder
    const Code& raw;
    const Method& method;
    const std::string& owner;  // the class, for the type of `this`
    const std::vector<std::string>& parameterNames;
};

Locals buildLocals(const LocalsInput& input, Budget& budget);

}  // namespace jad::body
