#include "body/flow/Cfg.h"

#include <algorithm>

#include "body/decode/Opcodes.h"

namespace jad::body {

int Cfg::blockAt(uint32_t pc) const {
    auto it = std::lower_bound(blocks.begin(), blocks.end(), pc,
                               [](const Block& b, uint32_t value) { return b.startPc < value; });
    return it != blocks.end() && it->startPc == pc ? it->id : -1;
}

void Cfg::recomputePreds() {
    for (Block& b : blocks) b.preds.clear();
    for (Block& b : blocks) {
        if (b.removed) continue;
        for (int s : b.succ) {
            auto& preds = blocks[static_cast<size_t>(s)].preds;
            if (std::find(preds.begin(), preds.end(), b.id) == preds.end()) preds.push_back(b.id);
        }
    }
}

std::vector<int> Cfg::reversePostorder(const std::vector<ExceptionHandler>& handlers) const {
    std::vector<int> order;
    order.reserve(blocks.size());
    std::vector<char> state(blocks.size(), 0);
    // Iterative depth-first search; each frame remembers the next edge to try.
    std::vector<std::pair<int, size_t>> stack;
    stack.reserve(blocks.size());
    stack.push_back({entry, 0});
    state[static_cast<size_t>(entry)] = 1;
    while (!stack.empty()) {
        auto& [id, next] = stack.back();
        const Block& b = blocks[static_cast<size_t>(id)];
        const size_t normal = b.succ.size();
        if (next < normal + b.handlers.size()) {
            int s = next < normal ? b.succ[next]
                                  : blockAt(handlers[static_cast<size_t>(b.handlers[next - normal])].handlerPc);
            ++next;
            if (s >= 0 && !state[static_cast<size_t>(s)] && !blocks[static_cast<size_t>(s)].removed) {
                state[static_cast<size_t>(s)] = 1;
                stack.push_back({s, 0});
            }
        } else {
            order.push_back(id);
            stack.pop_back();
        }
    }
    std::reverse(order.begin(), order.end());
    return order;
}

void Cfg::removeUnreached(const std::vector<int>& reached) {
    std::vector<char> keep(blocks.size(), 0);
    for (int id : reached) keep[static_cast<size_t>(id)] = 1;
    bool any = false;
    for (Block& b : blocks) {
        if (keep[static_cast<size_t>(b.id)] || b.removed) continue;
        b.removed = true;
        b.stmts.clear();
        b.succ.clear();
        b.handlers.clear();
        b.handlerEntry = false;
        any = true;
    }
    if (any) recomputePreds();
}

namespace {

std::vector<char> findLeaders(const DecodedCode& code, const Code& raw) {
    const size_t size = raw.bytes.size();
    std::vector<char> leader(size + 1, 0);
    leader[0] = 1;
    for (const Instruction& insn : code.instructions) {
        if (insn.opcode == op::jsr || insn.opcode == op::jsr_w || insn.opcode == op::ret) {
            throw Unsupported{"jsr subroutine"};
        }
        const bool branch = insn.isBranch();
        if (branch || insn.isSwitch()) leader[insn.target] = 1;
        for (const SwitchCase& c : insn.cases) leader[c.target] = 1;
        if (branch || insn.endsFlow()) leader[insn.pc + insn.length] = 1;
    }
    for (const ExceptionHandler& h : raw.handlers) {
        leader[h.startPc] = leader[h.endPc] = leader[h.handlerPc] = 1;
    }
    return leader;
}

void linkBlock(Block& b, const DecodedCode& code, const Cfg& cfg) {
    const Instruction& last = code.instructions[b.last - 1];
    const uint32_t nextPc = last.pc + last.length;
    auto blockOf = [&](uint32_t pc) {
        int id = cfg.blockAt(pc);
        if (id < 0) throw Unsupported{"control falls off the end of the code"};
        return id;
    };
    if (last.isConditional()) {
        b.exit = BlockExit::Cond;
        b.succ = {blockOf(last.target), blockOf(nextPc)};
    } else if (last.opcode == op::goto_ || last.opcode == op::goto_w) {
        b.exit = BlockExit::Goto;
        b.succ = {blockOf(last.target)};
    } else if (last.isSwitch()) {
        b.exit = BlockExit::Switch;
        b.succ = {blockOf(last.target)};
        for (const SwitchCase& c : last.cases) {
            b.succ.push_back(blockOf(c.target));
            b.keys.push_back(c.key);
        }
    } else if (last.endsFlow()) {
        b.exit = BlockExit::End;
    } else {
        b.exit = BlockExit::Goto;
        b.succ = {blockOf(nextPc)};
    }
}

size_t countBlocks(const DecodedCode& code, const std::vector<char>& leader) {
    size_t count = 0;
    for (const Instruction& insn : code.instructions) count += leader[insn.pc] ? 1 : 0;
    return count;
}

}  // namespace

Cfg buildCfg(const DecodedCode& code, const Code& raw, Budget& budget) {
    const std::vector<char> leader = findLeaders(code, raw);
    Cfg cfg;
    cfg.blocks.reserve(countBlocks(code, leader));
    for (size_t i = 0; i < code.instructions.size(); ++i) {
        const Instruction& insn = code.instructions[i];
        if (leader[insn.pc] || cfg.blocks.empty()) {
            Block& b = cfg.blocks.emplace_back();
            b.id = static_cast<int>(cfg.blocks.size()) - 1;
            b.first = i;
            b.startPc = insn.pc;
        }
        cfg.blocks.back().last = i + 1;
    }
    budget.spend(cfg.blocks.size() * 4);
    for (Block& b : cfg.blocks) {
        linkBlock(b, code, cfg);
        for (size_t h = 0; h < raw.handlers.size(); ++h) {
            const ExceptionHandler& handler = raw.handlers[h];
            if (b.startPc >= handler.startPc && b.startPc < handler.endPc) b.handlers.push_back(static_cast<int>(h));
        }
        budget.spend(raw.handlers.size() + 1);
    }
    for (const ExceptionHandler& handler : raw.handlers) {
        cfg.blocks[static_cast<size_t>(cfg.blockAt(handler.handlerPc))].handlerEntry = true;
    }
    cfg.recomputePreds();
    return cfg;
}

}  // namespace jad::body
