#include "classfile/MemberReader.h"

#include "classfile/AnnotationReader.h"
#include "classfile/Attribute.h"
#include "classfile/CodeReader.h"
#include "classfile/Descriptor.h"

namespace jad {

namespace {

// The pool tag a ConstantValue must carry for a field of this descriptor.
ConstantTag constantTagFor(const std::string& descriptor) {
    if (descriptor == "J") return ConstantTag::Long;
    if (descriptor == "F") return ConstantTag::Float;
    if (descriptor == "D") return ConstantTag::Double;
    if (descriptor == "Ljava/lang/String;") return ConstantTag::String;
    if (descriptor.size() == 1) return ConstantTag::Integer;
    return ConstantTag::None;
}

bool readCommonAttribute(AttributeKind kind, ByteCursor& body, ReadContext& context, std::string& signature,
                         Annotations& annotations, bool& deprecated, bool& synthetic) {
    switch (kind) {
    case AttributeKind::Signature: signature = context.utf8(body.u2()); return true;
    case AttributeKind::RuntimeVisibleAnnotations:
    case AttributeKind::RuntimeInvisibleAnnotations: {
        Annotations more = readAnnotations(body, context);
        annotations.insert(annotations.end(), more.begin(), more.end());
        return true;
    }
    case AttributeKind::Deprecated: deprecated = true; return true;
    case AttributeKind::Synthetic: synthetic = true; return true;
    default: return false;
    }
}

void readField(ByteCursor& in, ReadContext& context, Field& field) {
    field.access = in.u2();
    field.name = context.utf8(in.u2());
    field.descriptor = context.utf8(in.u2());
    if (!isFieldDescriptor(field.descriptor)) {
        throw ClassFormatError{"field " + field.name + " has malformed descriptor " + field.descriptor};
    }
    uint16_t attributes = in.u2();
    for (uint16_t i = 0; i < attributes; ++i) {
        AttributeHeader attribute = readAttributeHeader(in, context);
        if (readCommonAttribute(attribute.kind, attribute.body, context, field.signature, field.annotations,
                                field.deprecated, field.syntheticAttribute)) {
            continue;
        }
        if (attribute.kind == AttributeKind::ConstantValue) {
            uint16_t index = attribute.body.u2();
            ConstantTag expected = constantTagFor(field.descriptor);
            if (expected == ConstantTag::None) {
                throw ClassFormatError{"field " + field.name + " of type " + field.descriptor +
                                       " cannot have a constant value"};
            }
            context.pool().at(index, expected);
            field.constantValue = index;
        }
    }
}

void readExceptions(ByteCursor& body, ReadContext& context, Method& method) {
    uint16_t count = body.u2();
    method.exceptions.reserve(method.exceptions.size() + body.countThatFits(count, 2));
    for (uint16_t i = 0; i < count; ++i) method.exceptions.push_back(context.className(body.u2()));
}

void readParameters(ByteCursor& body, ReadContext& context, Method& method) {
    uint8_t count = body.u1();
    method.parameters.clear();
    for (uint8_t i = 0; i < count; ++i) {
        MethodParameter parameter;
        parameter.name = context.optionalUtf8(body.u2());
        parameter.access = body.u2();
        method.parameters.push_back(std::move(parameter));
    }
}

void readMethod(ByteCursor& in, ReadContext& context, const MemberOwner& owner, Method& method) {
    method.access = in.u2();
    method.name = context.utf8(in.u2());
    method.descriptor = context.utf8(in.u2());
    if (!parameterCount(method.descriptor)) {
        throw ClassFormatError{"method " + method.name + " has malformed descriptor " + method.descriptor};
    }
    uint16_t attributes = in.u2();
    for (uint16_t i = 0; i < attributes; ++i) {
        AttributeHeader attribute = readAttributeHeader(in, context);
        ByteCursor& body = attribute.body;
        if (readCommonAttribute(attribute.kind, body, context, method.signature, method.annotations,
                                method.deprecated, method.syntheticAttribute)) {
            continue;
        }
        switch (attribute.kind) {
        case AttributeKind::Code: {
            if (context.skipCode) break;
            bool oldLayout = owner.majorVersion == 45 && owner.minorVersion < 3;
            readCode(body, context, CodeOwner{owner.thisClass, method, oldLayout}, method.code.emplace());
            break;
        }
        case AttributeKind::Exceptions: readExceptions(body, context, method); break;
        case AttributeKind::MethodParameters: readParameters(body, context, method); break;
        case AttributeKind::RuntimeVisibleParameterAnnotations:
        case AttributeKind::RuntimeInvisibleParameterAnnotations: {
            auto more = readParameterAnnotations(body, context);
            if (method.parameterAnnotations.size() < more.size()) method.parameterAnnotations.resize(more.size());
            for (size_t p = 0; p < more.size(); ++p) {
                auto& into = method.parameterAnnotations[p];
                into.insert(into.end(), more[p].begin(), more[p].end());
            }
            break;
        }
        case AttributeKind::AnnotationDefault: method.annotationDefault = readElementValue(body, context); break;
        default: break;
        }
    }
}

}  // namespace

std::vector<Field> readFields(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    std::vector<Field> fields;
    fields.reserve(in.countThatFits(count, 8));
    for (uint16_t i = 0; i < count; ++i) readField(in, context, fields.emplace_back());
    return fields;
}

std::vector<Method> readMethods(ByteCursor& in, ReadContext& context, const MemberOwner& owner) {
    uint16_t count = in.u2();
    std::vector<Method> methods;
    methods.reserve(in.countThatFits(count, 8));
    for (uint16_t i = 0; i < count; ++i) readMethod(in, context, owner, methods.emplace_back());
    return methods;
}

}  // namespace jad
