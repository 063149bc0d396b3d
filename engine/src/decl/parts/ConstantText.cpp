#include "decl/parts/ConstantText.h"

#include "classfile/AccessFlags.h"
#include "print/Literals.h"

namespace jad {

namespace {

// A value outside the field's range keeps the narrowing the JVM applies.
std::string narrowed(const char* type, int32_t value, int32_t low, int32_t high) {
    std::string text = intLiteral(value);
    if (value >= low && value <= high) return text;
    return std::string("(") + type + ")" + text;
}

}  // namespace

std::string constantInitializer(const ClassFile& owner, const Field& field, int splitAt) {
    if (!field.constantValue || !(field.access & access::Static)) return std::string();
    const Constant& constant = owner.pool.at(*field.constantValue);
    switch (field.descriptor[0]) {
    case 'Z': return constant.intValue != 0 ? "true" : "false";
    case 'C': return charLiteral(static_cast<char16_t>(constant.intValue));
    case 'B': return narrowed("byte", constant.intValue, -128, 127);
    case 'S': return narrowed("short", constant.intValue, -32768, 32767);
    case 'I': return intLiteral(constant.intValue);
    case 'J': return longLiteral(constant.longValue);
    case 'F': return floatLiteral(constant.floatValue);
    case 'D': return doubleLiteral(constant.doubleValue);
    default: return stringLiteral(decodeModifiedUtf8(owner.pool.utf8(constant.a)), splitAt);
    }
}

}  // namespace jad
