#include "decl/parts/ModernKinds.h"

#include "classfile/AccessFlags.h"

namespace jad {

namespace {

bool isStatic(uint16_t access) { return (access & access::Static) != 0; }

const RecordComponent* componentNamed(const ClassFile& owner, const std::string& name) {
    if (!owner.record) return nullptr;
    for (const auto& component : *owner.record) {
        if (component.name == name) return &component;
    }
    return nullptr;
}

uint16_t u2At(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

// aload_0; getfield this.<name>; <type>return
bool isDefaultAccessor(const ClassFile& owner, const Method& method) {
    const RecordComponent* component = componentNamed(owner, method.name);
    if (!component || isStatic(method.access) || method.descriptor != "()" + component->descriptor) return false;
    if (!method.code || method.code->bytes.size() != 5) return false;
    const std::vector<uint8_t>& code = method.code->bytes;
    if (code[0] != 0x2a || code[1] != 0xb4 || code[4] < 0xac || code[4] > 0xb0) return false;
    try {
        MemberRef ref = owner.pool.memberRef(u2At(code, 2));
        return ref.owner == owner.thisClass && ref.name == component->name;
    } catch (const ClassFormatError&) {
        return false;
    }
}

// A body of a few loads, one invokedynamic of ObjectMethods.bootstrap and a return.
bool isObjectMethodsCall(const ClassFile& owner, const Method& method) {
    if (!method.code || method.code->bytes.size() > 12) return false;
    const std::vector<uint8_t>& code = method.code->bytes;
    for (size_t i = 0; i + 4 < code.size(); ++i) {
        if (code[i] != 0xba) continue;
        try {
            const Constant& site = owner.pool.at(u2At(code, i + 1), ConstantTag::InvokeDynamic);
            if (site.a >= owner.bootstrapMethods.size()) return false;
            const Constant& handle = owner.pool.at(owner.bootstrapMethods[site.a].methodHandle, ConstantTag::MethodHandle);
            MemberRef ref = owner.pool.memberRef(handle.b);
            return ref.owner == "java/lang/runtime/ObjectMethods" && ref.name == "bootstrap";
        } catch (const ClassFormatError&) {
            return false;
        }
    }
    return false;
}

bool isRecordObjectMethod(const ClassFile& owner, const Method& method) {
    const bool known = (method.name == "toString" && method.descriptor == "()Ljava/lang/String;") ||
                       (method.name == "hashCode" && method.descriptor == "()I") ||
                       (method.name == "equals" && method.descriptor == "(Ljava/lang/Object;)Z");
    return known && !isStatic(method.access) && isObjectMethodsCall(owner, method);
}

}  // namespace

ClassKind classKind(const ClassFile& file) {
    if (file.access & access::Annotation) return ClassKind::Annotation;
    if (file.access & access::Interface) return ClassKind::Interface;
    if ((file.access & access::Enum) && file.superClass == "java/lang/Enum") return ClassKind::Enum;
    if (file.record && file.superClass == "java/lang/Record") return ClassKind::Record;
    return ClassKind::Class;
}

bool isEnumConstant(const ClassFile& owner, const Field& field) {
    return classKind(owner) == ClassKind::Enum && (field.access & access::Enum) && isStatic(field.access) &&
           field.descriptor == "L" + owner.thisClass + ";";
}

bool isGeneratedField(const ClassFile& owner, const Field& field) {
    switch (classKind(owner)) {
    case ClassKind::Enum:
        return field.name == "$VALUES" && isStatic(field.access) && field.descriptor == "[L" + owner.thisClass + ";";
    case ClassKind::Record: {
        const RecordComponent* component = componentNamed(owner, field.name);
        return component && !isStatic(field.access) && component->descriptor == field.descriptor;
    }
    default: return false;
    }
}

bool isGeneratedMethod(const ClassFile& owner, const Method& method) {
    switch (classKind(owner)) {
    case ClassKind::Enum: {
        const std::string self = "L" + owner.thisClass + ";";
        if (!isStatic(method.access)) return false;
        return (method.name == "values" && method.descriptor == "()[" + self) ||
               (method.name == "valueOf" && method.descriptor == "(Ljava/lang/String;)" + self) ||
               (method.name == "$values" && method.descriptor == "()[" + self);
    }
    case ClassKind::Record: return isDefaultAccessor(owner, method) || isRecordObjectMethod(owner, method);
    default: return false;
    }
}

bool isCanonicalConstructor(const ClassFile& owner, const Method& method) {
    if (method.name != "<init>" || !owner.record || classKind(owner) != ClassKind::Record) return false;
    std::string descriptor = "(";
    for (const auto& component : *owner.record) descriptor += component.descriptor;
    return method.descriptor == descriptor + ")V";
}

}  // namespace jad
