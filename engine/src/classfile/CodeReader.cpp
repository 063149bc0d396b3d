#include "classfile/CodeReader.h"

#include "classfile/Attribute.h"
#include "classfile/Descriptor.h"
#include "classfile/StackMapReader.h"

namespace jad {

namespace {

// The JVM limits a method's code to 65535 bytes.
constexpr uint32_t MaxCodeLength = 65535;

std::string outside(const char* what, uint32_t pc) {
    return std::string(what) + " " + std::to_string(pc) + " is outside the code";
}

void readHandlers(ByteCursor& in, ReadContext& context, Code& code) {
    uint16_t count = in.u2();
    uint32_t length = static_cast<uint32_t>(code.bytes.size());
    code.handlers.reserve(in.countThatFits(count, 8));
    for (uint16_t i = 0; i < count; ++i) {
        ExceptionHandler handler;
        handler.startPc = in.u2();
        handler.endPc = in.u2();
        handler.handlerPc = in.u2();
        handler.catchType = context.optionalClassName(in.u2());
        if (handler.startPc >= handler.endPc || handler.endPc > length) {
            throw ClassFormatError{"exception handler range " + std::to_string(handler.startPc) + "-" +
                                   std::to_string(handler.endPc) + " is outside the code"};
        }
        if (handler.handlerPc >= length) throw ClassFormatError{outside("exception handler at", handler.handlerPc)};
        code.handlers.push_back(std::move(handler));
    }
}

void readLines(ByteCursor& in, Code& code) {
    uint16_t count = in.u2();
    code.lines.reserve(code.lines.size() + in.countThatFits(count, 4));
    for (uint16_t i = 0; i < count; ++i) {
        LineNumber line;
        line.startPc = in.u2();
        line.line = in.u2();
        if (line.startPc >= code.bytes.size()) throw ClassFormatError{outside("line number at", line.startPc)};
        code.lines.push_back(line);
    }
}

// LocalVariableTable when `typed` is false, LocalVariableTypeTable otherwise.
void readLocals(ByteCursor& in, ReadContext& context, Code& code, bool typed) {
    uint16_t count = in.u2();
    auto& into = typed ? code.localTypes : code.locals;
    into.reserve(into.size() + in.countThatFits(count, 10));
    for (uint16_t i = 0; i < count; ++i) {
        LocalVariable& local = into.emplace_back();
        local.startPc = in.u2();
        local.length = in.u2();
        local.name = context.utf8(in.u2());
        local.descriptor = context.utf8(in.u2());
        local.slot = in.u2();
        if (uint32_t{local.startPc} + local.length > code.bytes.size()) {
            throw ClassFormatError{"local variable " + local.name + " has a range outside the code"};
        }
        if (local.slot >= code.maxLocals) {
            throw ClassFormatError{"local variable " + local.name + " has slot " + std::to_string(local.slot) +
                                   " beyond max_locals " + std::to_string(code.maxLocals)};
        }
        if (!typed && !isFieldDescriptor(local.descriptor)) {
            throw ClassFormatError{"local variable " + local.name + " has malformed descriptor " + local.descriptor};
        }
    }
}

void readCodeAttributes(ByteCursor& in, ReadContext& context, const CodeOwner& owner, Code& code) {
    uint16_t count = in.u2();
    for (uint16_t i = 0; i < count; ++i) {
        AttributeHeader attribute = readAttributeHeader(in, context);
        ByteCursor& body = attribute.body;
        switch (attribute.kind) {
        case AttributeKind::LineNumberTable: readLines(body, code); break;
        case AttributeKind::LocalVariableTable: readLocals(body, context, code, false); break;
        case AttributeKind::LocalVariableTypeTable: readLocals(body, context, code, true); break;
        case AttributeKind::StackMapTable: {
            FrameLimits limits{static_cast<uint32_t>(code.bytes.size()), code.maxLocals, code.maxStack};
            code.frames = readStackMap(body, context, initialLocals(owner.thisClass, owner.method), limits);
            break;
        }
        default: break;
        }
    }
}

}  // namespace

void readCode(ByteCursor& in, ReadContext& context, const CodeOwner& owner, Code& code) {
    uint32_t length = 0;
    if (owner.oldLayout) {
        code.maxStack = in.u1();
        code.maxLocals = in.u1();
        length = in.u2();
    } else {
        code.maxStack = in.u2();
        code.maxLocals = in.u2();
        length = in.u4();
    }
    if (length == 0 || length > MaxCodeLength) {
        throw ClassFormatError{"method " + owner.method.name + " has code length " + std::to_string(length)};
    }
    const uint8_t* bytes = in.take(length);
    code.bytes.assign(bytes, bytes + length);
    readHandlers(in, context, code);
    readCodeAttributes(in, context, owner, code);
}

}  // namespace jad
