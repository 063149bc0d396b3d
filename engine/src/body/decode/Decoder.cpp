#include "body/decode/Instruction.h"

#include "body/decode/Opcodes.h"

namespace jad::body {

bool Instruction::isConditional() const {
    return (opcode >= op::ifeq && opcode <= op::if_acmpne) || opcode == op::ifnull ||
           opcode == op::ifnonnull;
}

bool Instruction::isBranch() const {
    return isConditional() || opcode == op::goto_ || opcode == op::goto_w || opcode == op::jsr ||
           opcode == op::jsr_w;
}

bool Instruction::isSwitch() const {
    return opcode == op::tableswitch || opcode == op::lookupswitch;
}

bool Instruction::endsFlow() const {
    return opcode == op::goto_ || opcode == op::goto_w || isSwitch() || opcode == op::ret ||
           opcode == op::athrow || (opcode >= op::ireturn && opcode <= op::return_);
}

namespace {

struct Fault {
    std::string reason;
};

class Reader {
public:
    Reader(const std::vector<uint8_t>& bytes, uint32_t pc) : _bytes(bytes), _pos(pc) {}
    uint32_t pos() const { return _pos; }
    uint8_t u1() {
        need(1);
        return _bytes[_pos++];
    }
    uint16_t u2() {
        uint16_t high = u1();
        return static_cast<uint16_t>((high << 8) | u1());
    }
    int32_t s4() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | u1();
        return static_cast<int32_t>(value);
    }
    uint32_t remaining() const { return static_cast<uint32_t>(_bytes.size()) - _pos; }

private:
    void need(uint32_t n) const {
        if (n > remaining()) truncated();
    }
    // Kept apart from the reads, so that they stay small enough to inline.
    [[noreturn]] void truncated() const {
        throw Fault{"instruction truncated at byte " + std::to_string(_pos)};
    }
    const std::vector<uint8_t>& _bytes;
    uint32_t _pos;
};

class Decoder {
public:
    Decoder(const Code& code, const ConstantPool& pool) : _code(code), _pool(pool) {}

    Instruction next(uint32_t pc) {
        Reader in(_code.bytes, pc);
        Instruction insn;
        insn.pc = pc;
        insn.opcode = in.u1();
        operands(in, insn);
        insn.length = in.pos() - pc;
        return insn;
    }

private:
    void operands(Reader& in, Instruction& insn) {
        const OpcodeInfo& info = opcodeInfo(insn.opcode);
        switch (info.layout) {
        case OperandLayout::Invalid:
            throw Fault{"invalid opcode " + std::to_string(insn.opcode) + " at " + std::to_string(insn.pc)};
        case OperandLayout::None: implicitLocal(insn); break;
        case OperandLayout::LocalU1: insn.index = in.u1(); local(insn, wideSlots(insn.opcode)); break;
        case OperandLayout::ByteS1: insn.value = static_cast<int8_t>(in.u1()); break;
        case OperandLayout::ShortS2: insn.value = static_cast<int16_t>(in.u2()); break;
        case OperandLayout::ArrayTypeU1:
            insn.value = in.u1();
            if (insn.value < 4 || insn.value > 11) throw Fault{"invalid newarray type " + std::to_string(insn.value)};
            break;
        case OperandLayout::PoolU1: insn.index = in.u1(); pool(insn); break;
        case OperandLayout::PoolU2: insn.index = in.u2(); pool(insn); break;
        case OperandLayout::Iinc:
            insn.index = in.u1();
            insn.value = static_cast<int8_t>(in.u1());
            local(insn, 1);
            break;
        case OperandLayout::BranchS2: insn.target = relative(insn, static_cast<int16_t>(in.u2())); break;
        case OperandLayout::BranchS4: insn.target = relative(insn, in.s4()); break;
        case OperandLayout::TableSwitch: tableSwitch(in, insn); break;
        case OperandLayout::LookupSwitch: lookupSwitch(in, insn); break;
        case OperandLayout::InvokeInterface:
            insn.index = in.u2();
            insn.value = in.u1();
            in.u1();
            pool(insn);
            break;
        case OperandLayout::InvokeDynamic:
            insn.index = in.u2();
            in.u2();
            pool(insn);
            break;
        case OperandLayout::MultiANewArray:
            insn.index = in.u2();
            insn.value = in.u1();
            if (insn.value == 0) throw Fault{"multianewarray with no dimensions"};
            pool(insn);
            break;
        case OperandLayout::Wide: wide(in, insn); break;
        }
    }

    void wide(Reader& in, Instruction& insn) {
        insn.wide = true;
        insn.opcode = in.u1();
        const OperandLayout layout = opcodeInfo(insn.opcode).layout;
        insn.index = in.u2();
        if (layout == OperandLayout::Iinc) {
            insn.value = static_cast<int16_t>(in.u2());
            local(insn, 1);
        } else if (layout == OperandLayout::LocalU1) {
            local(insn, wideSlots(insn.opcode));
        } else {
            throw Fault{"wide before " + std::string(opcodeInfo(insn.opcode).name)};
        }
    }

    static uint32_t wideSlots(uint8_t opcode) {
        return opcode == op::lload || opcode == op::dload || opcode == op::lstore || opcode == op::dstore ? 2 : 1;
    }

    // iload_0 .. astore_3 carry their slot in the opcode.
    void implicitLocal(Instruction& insn) {
        int kind = -1;
        if (insn.opcode >= op::iload_0 && insn.opcode <= op::aload_3) kind = insn.opcode - op::iload_0;
        if (insn.opcode >= op::istore_0 && insn.opcode <= op::astore_3) kind = insn.opcode - op::istore_0;
        if (kind < 0) return;
        insn.index = static_cast<uint32_t>(kind % 4);
        const int type = kind / 4;  // i l f d a
        local(insn, type == 1 || type == 3 ? 2 : 1);
    }

    void local(const Instruction& insn, uint32_t slots) const {
        if (insn.index + slots > _code.maxLocals) {
            throw Fault{"local " + std::to_string(insn.index) + " beyond max_locals " +
                        std::to_string(_code.maxLocals) + " at " + std::to_string(insn.pc)};
        }
    }

    void pool(const Instruction& insn) const {
        if (insn.index == 0 || insn.index >= _pool.count()) {
            throw Fault{"constant pool index " + std::to_string(insn.index) + " out of range at " +
                        std::to_string(insn.pc)};
        }
        if (!tagFits(insn.opcode, _pool.at(static_cast<uint16_t>(insn.index)).tag)) {
            throw Fault{"constant pool entry " + std::to_string(insn.index) + " unfit for " +
                        opcodeInfo(insn.opcode).name + " at " + std::to_string(insn.pc)};
        }
    }

    static bool tagFits(uint8_t opcode, ConstantTag tag) {
        using T = ConstantTag;
        switch (opcode) {
        case op::ldc:
        case op::ldc_w:
            return tag == T::Integer || tag == T::Float || tag == T::String || tag == T::Class ||
                   tag == T::MethodType || tag == T::MethodHandle || tag == T::Dynamic;
        case op::ldc2_w: return tag == T::Long || tag == T::Double || tag == T::Dynamic;
        case op::getstatic: case op::putstatic: case op::getfield: case op::putfield:
            return tag == T::Fieldref;
        case op::invokevirtual: return tag == T::Methodref;
        case op::invokespecial: case op::invokestatic:
            return tag == T::Methodref || tag == T::InterfaceMethodref;
        case op::invokeinterface: return tag == T::InterfaceMethodref;
        case op::invokedynamic: return tag == T::InvokeDynamic;
        default: return tag == T::Class;  // new, anewarray, checkcast, instanceof, multianewarray
        }
    }

    uint32_t relative(const Instruction& insn, int64_t offset) const {
        const int64_t target = static_cast<int64_t>(insn.pc) + offset;
        if (target < 0 || target >= static_cast<int64_t>(_code.bytes.size())) {
            throw Fault{"branch target " + std::to_string(target) + " outside the code at " + std::to_string(insn.pc)};
        }
        return static_cast<uint32_t>(target);
    }

    static void align(Reader& in) {
        while (in.pos() % 4 != 0) in.u1();
    }

    void tableSwitch(Reader& in, Instruction& insn) {
        align(in);
        insn.target = relative(insn, in.s4());
        const int32_t low = in.s4();
        const int32_t high = in.s4();
        if (low > high) throw Fault{"tableswitch bounds reversed at " + std::to_string(insn.pc)};
        const int64_t count = static_cast<int64_t>(high) - low + 1;
        if (count * 4 > in.remaining()) throw Fault{"tableswitch truncated at " + std::to_string(insn.pc)};
        insn.cases.reserve(static_cast<size_t>(count));
        for (int64_t i = 0; i < count; ++i) {
            insn.cases.push_back({static_cast<int32_t>(low + i), relative(insn, in.s4())});
        }
    }

    void lookupSwitch(Reader& in, Instruction& insn) {
        align(in);
        insn.target = relative(insn, in.s4());
        const int32_t count = in.s4();
        if (count < 0 || static_cast<int64_t>(count) * 8 > in.remaining()) {
            throw Fault{"lookupswitch truncated at " + std::to_string(insn.pc)};
        }
        insn.cases.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            const int32_t key = in.s4();
            if (i > 0 && key <= insn.cases.back().key) {
                throw Fault{"lookupswitch keys out of order at " + std::to_string(insn.pc)};
            }
            insn.cases.push_back({key, relative(insn, in.s4())});
        }
    }

    const Code& _code;
    const ConstantPool& _pool;
};

std::string checkTargets(const DecodedCode& decoded, const Code& code) {
    auto boundary = [&](uint32_t pc) { return decoded.at(pc) != nullptr; };
    for (const Instruction& insn : decoded.instructions) {
        if (insn.isBranch() || insn.isSwitch()) {
            if (!boundary(insn.target)) return "branch into the middle of an instruction at " + std::to_string(insn.pc);
        }
        for (const SwitchCase& c : insn.cases) {
            if (!boundary(c.target)) return "switch target inside an instruction at " + std::to_string(insn.pc);
        }
    }
    const uint32_t size = static_cast<uint32_t>(code.bytes.size());
    for (const ExceptionHandler& h : code.handlers) {
        if (h.startPc >= h.endPc || h.endPc > size || !boundary(h.startPc) ||
            (h.endPc < size && !boundary(h.endPc)) || !boundary(h.handlerPc)) {
            return "exception range " + std::to_string(h.startPc) + ".." + std::to_string(h.endPc) +
                   " -> " + std::to_string(h.handlerPc) + " does not fit the code";
        }
    }
    return std::string();
}

}  // namespace

DecodedCode decode(const Code& code, const ConstantPool& pool) {
    DecodedCode result;
    const uint32_t size = static_cast<uint32_t>(code.bytes.size());
    if (size == 0 || size > 65535) {
        result.error = "code length " + std::to_string(size) + " out of range";
        return result;
    }
    result.atPc.assign(size, -1);
    // Instructions average two bytes or more, so this leaves at most one
    // regrowth instead of one per doubling.
    result.instructions.reserve(size / 2 + 1);
    Decoder decoder(code, pool);
    uint32_t pc = 0;
    try {
        while (pc < size) {
            Instruction insn = decoder.next(pc);
            result.atPc[pc] = static_cast<int32_t>(result.instructions.size());
            pc += insn.length;
            result.instructions.push_back(std::move(insn));
        }
    } catch (const Fault& fault) {
        result.error = fault.reason;
        return result;
    } catch (const ClassFormatError& error) {
        result.error = error.reason;
        return result;
    }
    result.error = checkTargets(result, code);
    return result;
}

}  // namespace jad::body
