// The body printed for a method the engine cannot decompile: a listing of its
// instructions in comments, then a statement that keeps the file compiling.
#include <string>

#include "body/decode/Disassembly.h"
#include "body/decode/Fallback.h"
#include "body/decode/Instruction.h"
#include "body/decode/Opcodes.h"

namespace jad {

namespace {

constexpr size_t kListingLimit = 4000;

// A literal for the message: printable ASCII, quotes and backslashes escaped.
std::string messageLiteral(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            out += '?';
        }
    }
    return out + "\"";
}

std::string defaultValue(const JavaType& type, const TypeNamer& types) {
    if (type.isReference()) return "(" + types.typeName(type) + ")null";
    switch (type.base) {
    case 'Z': return "false";
    case 'C': return "(char)0";
    case 'B': return "(byte)0";
    case 'S': return "(short)0";
    case 'J': return "0L";
    case 'F': return "0.0F";
    case 'D': return "0.0";
    default: return "0";
    }
}

// A constructor must still start with the call javac requires; the listing
// tells which one the code makes, and dummy arguments pick that overload.
std::string constructorCall(const BodyRequest& request, const body::DecodedCode& code, bool& toSuper, size_t& arguments) {
    const ClassFile& owner = request.owner;
    int pendingNews = 0;
    for (const body::Instruction& insn : code.instructions) {
        if (insn.opcode == body::op::new_) ++pendingNews;
        if (insn.opcode != body::op::invokespecial) continue;
        MemberRef ref;
        try {
            ref = owner.pool.memberRef(static_cast<uint16_t>(insn.index));
        } catch (const ClassFormatError&) {
            return std::string();
        }
        if (ref.name != "<init>") continue;
        if (pendingNews > 0) {
            --pendingNews;
            continue;
        }
        toSuper = ref.owner == owner.superClass;
        if ((!toSuper && ref.owner != owner.thisClass) || ref.owner == "java/lang/Object") return std::string();
        auto type = methodTypeOf(ref.descriptor);
        if (!type) return std::string();
        arguments = type->parameters.size();
        std::string call = toSuper ? "super(" : "this(";
        for (size_t i = 0; i < type->parameters.size(); ++i) {
            if (i > 0) call += ", ";
            call += defaultValue(type->parameters[i], request.types);
        }
        return call + ");";
    }
    return std::string();
}

}  // namespace

DecompiledBody fallbackBody(const BodyRequest& request, const std::string& reason) {
    DecompiledBody body;
    std::vector<std::string>& lines = body.lines;
    const Code* code = request.method.code ? &*request.method.code : nullptr;
    body::DecodedCode decoded;
    if (code) decoded = body::decode(*code, request.owner.pool);
    if (request.method.name == "<init>" && code) {
        bool toSuper = false;
        size_t arguments = 0;
        std::string call = constructorCall(request, decoded, toSuper, arguments);
        if (!call.empty()) {
            body.statements.push_back(TopStatement::at(toSuper ? TopStatement::Kind::SuperCall : TopStatement::Kind::ThisCall, 0));
            body.statements.back().arguments = arguments;  // dummies: none passes a parameter on
            lines.push_back(call);
        }
    }
    body.statements.push_back(TopStatement::at(TopStatement::Kind::Other, lines.size()));  // the listing, comments only
    lines.push_back("// Not decompiled: " + body::commentSafe(reason));
    if (code) {
        for (std::string& line : body::disassemble(decoded, *code, request.owner.pool, kListingLimit)) {
            lines.push_back("//   " + line);
        }
        if (!decoded.ok()) lines.push_back("//   (" + body::commentSafe(decoded.error) + ")");
    }
    body.statements.push_back(TopStatement::at(TopStatement::Kind::Throw, lines.size()));
    lines.push_back("throw new RuntimeException(" + messageLiteral("not decompiled: " + reason) + ");");
    return body;
}

}  // namespace jad
