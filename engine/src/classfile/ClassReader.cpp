#include "classfile/ClassReader.h"

#include <cstdio>

#include "classfile/AnnotationReader.h"
#include "classfile/Attribute.h"
#include "classfile/ConstantPoolReader.h"
#include "classfile/Descriptor.h"
#include "classfile/MemberReader.h"
#include "classfile/ModuleReader.h"

namespace jad {

namespace {

constexpr uint32_t Magic = 0xCAFEBABE;
constexpr uint16_t OldestMajor = 45;
constexpr uint16_t NewestMajor = 69;

// Text copied out of the pool may repeat, but not without bound.
size_t textBudgetFor(size_t fileSize) { return 8 * fileSize + (4u << 20); }

void readHeader(ByteCursor& in, ClassFile& file) {
    if (in.remaining() < 4) throw ClassFormatError{"not a class file (only " + std::to_string(in.remaining()) + " bytes)"};
    uint32_t magic = in.u4();
    if (magic != Magic) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", magic);
        throw ClassFormatError{std::string("not a class file (magic ") + text + ")"};
    }
    file.minorVersion = in.u2();
    file.majorVersion = in.u2();
    if (file.majorVersion < OldestMajor || file.majorVersion > NewestMajor) {
        throw ClassFormatError{"unsupported class-file version " + std::to_string(file.majorVersion) + "." +
                               std::to_string(file.minorVersion)};
    }
}

std::vector<std::string> readClassList(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    std::vector<std::string> names;
    names.reserve(in.countThatFits(count, 2));
    for (uint16_t i = 0; i < count; ++i) names.push_back(context.className(in.u2()));
    return names;
}

void readInnerClasses(ByteCursor& in, ReadContext& context, ClassFile& file) {
    uint16_t count = in.u2();
    file.innerClasses.reserve(file.innerClasses.size() + in.countThatFits(count, 8));
    for (uint16_t i = 0; i < count; ++i) {
        InnerClass& inner = file.innerClasses.emplace_back();
        inner.innerClass = context.className(in.u2());
        inner.outerClass = context.optionalClassName(in.u2());
        inner.simpleName = context.optionalUtf8(in.u2());
        inner.access = in.u2();
    }
}

void readEnclosingMethod(ByteCursor& in, ReadContext& context, ClassFile& file) {
    EnclosingMethod enclosing;
    enclosing.className = context.className(in.u2());
    uint16_t method = in.u2();
    if (method != 0) {
        MemberRef ref = context.pool().nameAndType(method);
        context.charge(ref.name.size() + ref.descriptor.size());
        enclosing.methodName = ref.name;
        enclosing.methodDescriptor = ref.descriptor;
    }
    file.enclosingMethod = std::move(enclosing);
}

void readBootstrapMethods(ByteCursor& in, ReadContext& context, ClassFile& file) {
    uint16_t count = in.u2();
    file.bootstrapMethods.clear();
    for (uint16_t i = 0; i < count; ++i) {
        BootstrapMethod method;
        method.methodHandle = in.u2();
        context.pool().at(method.methodHandle, ConstantTag::MethodHandle);
        uint16_t arguments = in.u2();
        for (uint16_t a = 0; a < arguments; ++a) {
            uint16_t index = in.u2();
            if (!isLoadableConstant(context.pool().at(index).tag)) {
                throw ClassFormatError{"bootstrap argument " + std::to_string(index) + " is not a loadable constant"};
            }
            method.arguments.push_back(index);
        }
        context.charge(method.arguments.size() * sizeof(uint16_t));
        file.bootstrapMethods.push_back(std::move(method));
    }
}

void readRecord(ByteCursor& in, ReadContext& context, ClassFile& file) {
    uint16_t count = in.u2();
    std::vector<RecordComponent> components;
    for (uint16_t i = 0; i < count; ++i) {
        RecordComponent component;
        component.name = context.utf8(in.u2());
        component.descriptor = context.utf8(in.u2());
        if (!parseFieldDescriptor(component.descriptor)) {
            throw ClassFormatError{"record component " + component.name + " has malformed descriptor " +
                                   component.descriptor};
        }
        uint16_t attributes = in.u2();
        for (uint16_t a = 0; a < attributes; ++a) {
            AttributeHeader attribute = readAttributeHeader(in, context);
            switch (attribute.kind) {
            case AttributeKind::Signature: component.signature = context.utf8(attribute.body.u2()); break;
            case AttributeKind::RuntimeVisibleAnnotations:
            case AttributeKind::RuntimeInvisibleAnnotations: {
                Annotations more = readAnnotations(attribute.body, context);
                component.annotations.insert(component.annotations.end(), more.begin(), more.end());
                break;
            }
            default: break;
            }
        }
        components.push_back(std::move(component));
    }
    file.record = std::move(components);
}

void readClassAttribute(AttributeKind kind, ByteCursor& body, ReadContext& context, ClassFile& file) {
    switch (kind) {
    case AttributeKind::SourceFile: file.sourceFile = context.utf8(body.u2()); break;
    case AttributeKind::InnerClasses: readInnerClasses(body, context, file); break;
    case AttributeKind::EnclosingMethod: readEnclosingMethod(body, context, file); break;
    case AttributeKind::Signature: file.signature = context.utf8(body.u2()); break;
    case AttributeKind::Deprecated: file.deprecated = true; break;
    case AttributeKind::Synthetic: file.syntheticAttribute = true; break;
    case AttributeKind::BootstrapMethods: readBootstrapMethods(body, context, file); break;
    case AttributeKind::NestHost: file.nestHost = context.className(body.u2()); break;
    case AttributeKind::NestMembers: file.nestMembers = readClassList(body, context); break;
    case AttributeKind::PermittedSubclasses: file.permittedSubclasses = readClassList(body, context); break;
    case AttributeKind::Record: readRecord(body, context, file); break;
    case AttributeKind::Module: file.module = readModule(body, context); break;
    case AttributeKind::RuntimeVisibleAnnotations:
    case AttributeKind::RuntimeInvisibleAnnotations: {
        Annotations more = readAnnotations(body, context);
        file.annotations.insert(file.annotations.end(), more.begin(), more.end());
        break;
    }
    default: break;
    }
}

// Dynamic constants name their bootstrap method by index into an attribute
// that comes last in the file, so they are checked once it is known.
void checkBootstrapIndexes(const ClassFile& file) {
    for (uint16_t i = 1; i < file.pool.count(); ++i) {
        const Constant& entry = file.pool.at(i);
        if (entry.tag != ConstantTag::Dynamic && entry.tag != ConstantTag::InvokeDynamic) continue;
        if (entry.a >= file.bootstrapMethods.size()) {
            throw ClassFormatError{"constant pool entry " + std::to_string(i) + " names bootstrap method " +
                                   std::to_string(entry.a) + " of " + std::to_string(file.bootstrapMethods.size())};
        }
    }
}

}  // namespace

ClassFile readClassFile(const uint8_t* data, size_t size) { return readClassFile(data, size, true); }

ClassFile readClassFile(const uint8_t* data, size_t size, bool withCode) {
    ByteCursor in(data, size);
    ClassFile file;
    readHeader(in, file);
    file.pool = readConstantPool(in);
    ReadContext context(file.pool, textBudgetFor(size));
    context.skipCode = !withCode;
    file.access = in.u2();
    file.thisClass = context.className(in.u2());
    file.superClass = context.optionalClassName(in.u2());
    file.interfaces = readClassList(in, context);
    file.fields = readFields(in, context);
    file.methods = readMethods(in, context, MemberOwner{file.thisClass, file.majorVersion, file.minorVersion});
    uint16_t attributes = in.u2();
    for (uint16_t i = 0; i < attributes; ++i) {
        AttributeHeader attribute = readAttributeHeader(in, context);
        readClassAttribute(attribute.kind, attribute.body, context, file);
    }
    if (!in.atEnd()) {
        throw ClassFormatError{std::to_string(in.remaining()) + " extra bytes after the end of the class at byte " +
                               std::to_string(in.offset())};
    }
    checkBootstrapIndexes(file);
    return file;
}

}  // namespace jad
