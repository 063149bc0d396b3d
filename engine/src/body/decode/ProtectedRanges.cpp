#include "body/decode/ProtectedRanges.h"

#include <algorithm>
#include <set>

#include "body/decode/Opcodes.h"

namespace jad::body {

namespace {

// Loads, stores, constants, stack shuffles, arithmetic that cannot divide by
// zero, conversions, comparisons and conditional jumps. (ldc is left out: a
// class or dynamic constant can fail to resolve.)
bool cannotThrow(const Instruction& insn) {
    const uint8_t o = insn.opcode;
    if (o <= op::sipush) return true;
    if (o >= op::iload && o <= op::aload_3) return true;
    if (o >= op::istore && o <= op::astore_3) return true;
    if (o >= op::pop && o <= op::swap) return true;
    if (o == 108 || o == 109 || o == 112 || o == 113) return false;  // idiv ldiv irem lrem
    if (o >= op::iadd && o <= op::dcmpg) return true;
    return (o >= op::ifeq && o <= op::if_acmpne) || o == op::ifnull || o == op::ifnonnull;
}

class Widener {
public:
    Widener(const Code& code, const DecodedCode& decoded) : _code(code), _decoded(decoded) {
        for (const ExceptionHandler& h : code.handlers) _handlerPcs.insert(h.handlerPc);
    }

    std::optional<Code> run() {
        std::vector<ExceptionHandler> widened = _code.handlers;
        for (size_t i = 0; i < widened.size(); ++i) widen(widened, i);
        std::vector<ExceptionHandler> joined = join(widened);
        if (sameRanges(joined, _code.handlers)) return std::nullopt;
        Code out = _code;
        out.handlers = std::move(joined);
        return out;
    }

private:
    // Indexes of the other entries covering `pc`.
    std::set<size_t> coverage(const std::vector<ExceptionHandler>& table, uint32_t pc, size_t self) const {
        std::set<size_t> result;
        for (size_t i = 0; i < table.size(); ++i) {
            if (i != self && pc >= table[i].startPc && pc < table[i].endPc) result.insert(i);
        }
        return result;
    }

    // An instruction the range may take in: it cannot throw, starts no
    // handler, and the other ranges cover it just as they cover the edge.
    bool absorbable(const std::vector<ExceptionHandler>& table, size_t self, const Instruction& insn,
                    const std::set<size_t>& edge) const {
        return cannotThrow(insn) && !_handlerPcs.count(insn.pc) && coverage(table, insn.pc, self) == edge;
    }

    void widen(std::vector<ExceptionHandler>& table, size_t self) {
        ExceptionHandler& h = table[self];
        const int32_t first = _decoded.atPc[h.startPc];
        if (first < 0 || h.endPc <= h.startPc) return;
        const std::set<size_t> edge = coverage(table, h.startPc, self);
        for (int32_t i = first - 1; i >= 0; --i) {
            const Instruction& insn = _decoded.instructions[static_cast<size_t>(i)];
            if (!absorbable(table, self, insn, edge) || insn.pc + insn.length != h.startPc) break;
            if (i > 0 && _decoded.instructions[static_cast<size_t>(i - 1)].endsFlow()) break;
            h.startPc = static_cast<uint16_t>(insn.pc);
        }
        for (const Instruction* insn = _decoded.at(h.endPc); insn; insn = _decoded.at(h.endPc)) {
            if (!absorbable(table, self, *insn, edge)) break;
            h.endPc = static_cast<uint16_t>(insn->pc + insn->length);
        }
    }

    // Entries of one handler and type that now meet become one.
    static std::vector<ExceptionHandler> join(const std::vector<ExceptionHandler>& table) {
        std::vector<ExceptionHandler> out;
        for (const ExceptionHandler& h : table) {
            if (!out.empty()) {
                ExceptionHandler& last = out.back();
                if (last.handlerPc == h.handlerPc && last.catchType == h.catchType && h.startPc <= last.endPc &&
                    h.startPc >= last.startPc) {
                    last.endPc = std::max(last.endPc, h.endPc);
                    continue;
                }
            }
            out.push_back(h);
        }
        return out;
    }

    static bool sameRanges(const std::vector<ExceptionHandler>& a, const std::vector<ExceptionHandler>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].startPc != b[i].startPc || a[i].endPc != b[i].endPc) return false;
        }
        return true;
    }

    const Code& _code;
    const DecodedCode& _decoded;
    std::set<uint32_t> _handlerPcs;
};

}  // namespace

std::optional<Code> widenProtectedRanges(const Code& code, const DecodedCode& decoded) {
    if (!decoded.ok() || code.handlers.size() > 4096) return std::nullopt;
    return Widener(code, decoded).run();
}

}  // namespace jad::body
