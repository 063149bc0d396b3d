// Basic blocks of one method and the edges between them, exception edges
// included (every block inside a protected range leads to its handlers).
#pragma once

#include <vector>

#include "body/decode/Instruction.h"
#include "body/ir/Failure.h"
#include "body/ir/Ir.h"

namespace jad::body {

enum class BlockExit : uint8_t { Goto, Cond, Switch, End };

struct Block {
    int id = 0;
    size_t first = 0, last = 0;  // instruction indexes [first, last)
    uint32_t startPc = 0;
    StmtList stmts;
    BlockExit exit = BlockExit::End;
    ExprPtr cond;                // Cond: the jump is taken when true; Switch: the selector
    std::vector<int> succ;       // Goto: {next}; Cond: {whenTrue, whenFalse}; Switch: {default, cases...}
    std::vector<int32_t> keys;   // Switch: the key of succ[i + 1]
    std::vector<int> preds;      // normal edges only
    std::vector<int> handlers;   // indexes into Code::handlers that cover this block
    bool handlerEntry = false;
    bool removed = false;
};

struct Cfg {
    std::vector<Block> blocks;
    int entry = 0;

    int blockAt(uint32_t pc) const;  // the block starting at pc, or -1
    void recomputePreds();
    // Blocks reachable from the entry through normal and exception edges,
    // in reverse postorder.
    std::vector<int> reversePostorder(const std::vector<ExceptionHandler>& handlers) const;
    // Marks removed every block not in `reached` (javac keeps the handlers of
    // a try whose body cannot throw, and no path leads to them).
    void removeUnreached(const std::vector<int>& reached);
};

// Splits the code into blocks at branch targets, after jumps, and at the
// edges of protected ranges. jsr/ret make it throw Unsupported.
Cfg buildCfg(const DecodedCode& code, const Code& raw, Budget& budget);

}  // namespace jad::body
