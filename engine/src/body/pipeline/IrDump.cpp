#include "body/pipeline/IrDump.h"

#include <exception>

#include "classfile/ClassFile.h"

namespace jad::body {

namespace {

std::string exitText(const Block& b) {
    std::string text;
    switch (b.exit) {
    case BlockExit::Goto: text = "goto"; break;
    case BlockExit::Cond: text = "if"; break;
    case BlockExit::Switch: text = "switch"; break;
    case BlockExit::End: text = "end"; break;
    }
    for (int s : b.succ) text += " " + std::to_string(s);
    return text;
}

// Statements print with the method's own context, which a half-built IR
// may not satisfy yet; the dump then says so in their place.
void appendStatements(const StmtList& stmts, const PrintContext& context, const std::string& indent,
                      std::vector<std::string>& out) {
    try {
        for (const std::string& line : printStatements(stmts, context)) out.push_back(indent + line);
    } catch (const Unsupported& u) {
        out.push_back(indent + "<not printable: " + u.reason + ">");
    } catch (const ClassFormatError& e) {
        out.push_back(indent + "<not printable: " + e.reason + ">");
    } catch (const std::exception& e) {
        out.push_back(indent + "<not printable: " + e.what() + ">");
    }
}

void appendBlocks(const MethodState& state, std::vector<std::string>& out) {
    for (const Block& b : state.cfg.blocks) {
        if (b.removed) continue;
        out.push_back("block " + std::to_string(b.id) + " at pc " + std::to_string(b.startPc) + ": " + exitText(b));
        appendStatements(b.stmts, state.context, "    ", out);
        if (!b.cond) continue;
        StmtList cond{makeStmt(StmtKind::Expr, b.cond)};
        appendStatements(cond, state.context, "    condition: ", out);
    }
}

void appendCode(const MethodState& state, std::vector<std::string>& out) {
    out.push_back(std::to_string(state.decoded.instructions.size()) + " instructions, " +
                  std::to_string(state.cfg.blocks.size()) + " blocks");
}

}  // namespace

std::vector<std::string> dumpIr(const MethodState& state) {
    std::vector<std::string> out;
    switch (state.form) {
    case IrForm::Code: appendCode(state, out); break;
    case IrForm::Blocks: appendBlocks(state, out); break;
    case IrForm::Tree: appendStatements(state.body, state.context, "", out); break;
    case IrForm::Text: out = state.lines; break;
    }
    return out;
}

}  // namespace jad::body
