#include "body/decode/Disassembly.h"

#include <cstdio>

#include "body/decode/Opcodes.h"

namespace jad::body {

std::string commentSafe(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c >= 0x20 && c < 0x7f) out += static_cast<char>(c);
        else out += '?';
    }
    return out;
}

namespace {

std::string poolOperand(const ConstantPool& pool, uint32_t index) {
    const Constant& c = pool.at(static_cast<uint16_t>(index));
    try {
        switch (c.tag) {
        case ConstantTag::Integer: return std::to_string(c.intValue);
        case ConstantTag::Long: return std::to_string(c.longValue) + "L";
        case ConstantTag::Float: {
            char buffer[48];
            std::snprintf(buffer, sizeof buffer, "%.9gF", static_cast<double>(c.floatValue));
            return buffer;
        }
        case ConstantTag::Double: {
            char buffer[48];
            std::snprintf(buffer, sizeof buffer, "%.17g", c.doubleValue);
            return buffer;
        }
        case ConstantTag::String: return "\"" + pool.utf8(c.a) + "\"";
        case ConstantTag::Class: return pool.utf8(c.a);
        case ConstantTag::MethodType: return "methodtype " + pool.utf8(c.a);
        case ConstantTag::Fieldref:
        case ConstantTag::Methodref:
        case ConstantTag::InterfaceMethodref: {
            const MemberRef ref = pool.memberRef(static_cast<uint16_t>(index));
            return ref.owner + "." + ref.name + (c.tag == ConstantTag::Fieldref ? ":" : "") + ref.descriptor;
        }
        case ConstantTag::InvokeDynamic:
        case ConstantTag::Dynamic: {
            const MemberRef nat = pool.nameAndType(c.b);
            return "#" + std::to_string(c.a) + " " + nat.name + nat.descriptor;
        }
        default: return "#" + std::to_string(index);
        }
    } catch (const ClassFormatError&) {
        return "#" + std::to_string(index);
    }
}

const char* arrayTypeName(int32_t type) {
    static const char* const names[] = {"boolean", "char", "float", "double", "byte", "short", "int", "long"};
    return type >= 4 && type <= 11 ? names[type - 4] : "?";
}

}  // namespace

std::string describeInstruction(const Instruction& insn, const ConstantPool& pool) {
    std::string text = std::to_string(insn.pc) + ": " + (insn.wide ? "wide " : "") + opcodeInfo(insn.opcode).name;
    switch (opcodeInfo(insn.opcode).layout) {
    case OperandLayout::LocalU1: text += " " + std::to_string(insn.index); break;
    case OperandLayout::ByteS1:
    case OperandLayout::ShortS2: text += " " + std::to_string(insn.value); break;
    case OperandLayout::ArrayTypeU1: text += std::string(" ") + arrayTypeName(insn.value); break;
    case OperandLayout::PoolU1:
    case OperandLayout::PoolU2:
    case OperandLayout::InvokeInterface:
    case OperandLayout::InvokeDynamic: text += " " + poolOperand(pool, insn.index); break;
    case OperandLayout::MultiANewArray:
        text += " " + poolOperand(pool, insn.index) + " " + std::to_string(insn.value);
        break;
    case OperandLayout::Iinc: text += " " + std::to_string(insn.index) + " " + std::to_string(insn.value); break;
    case OperandLayout::BranchS2:
    case OperandLayout::BranchS4: text += " " + std::to_string(insn.target); break;
    case OperandLayout::TableSwitch:
    case OperandLayout::LookupSwitch: text += " default " + std::to_string(insn.target); break;
    default: break;
    }
    return commentSafe(text);
}

std::vector<std::string> disassemble(const DecodedCode& code, const Code& raw, const ConstantPool& pool,
                                     size_t limit) {
    std::vector<std::string> lines;
    size_t total = 0;
    auto add = [&](std::string line) {
        if (lines.size() < limit) lines.push_back(std::move(line));
        ++total;
    };
    for (const Instruction& insn : code.instructions) {
        add(describeInstruction(insn, pool));
        for (const SwitchCase& c : insn.cases) {
            add("    case " + std::to_string(c.key) + ": " + std::to_string(c.target));
        }
    }
    for (const ExceptionHandler& h : raw.handlers) {
        add("try " + std::to_string(h.startPc) + ".." + std::to_string(h.endPc) + " catch " +
            commentSafe(h.catchType.empty() ? "any" : h.catchType) + " -> " + std::to_string(h.handlerPc));
    }
    if (total > lines.size()) lines.push_back("... " + std::to_string(total - lines.size()) + " more lines");
    return lines;
}

}  // namespace jad::body
