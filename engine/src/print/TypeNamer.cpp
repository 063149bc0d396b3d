#include "print/TypeNamer.h"

namespace jad {

namespace {

const char* primitiveName(char base) {
    switch (base) {
    case 'B': return "byte";
    case 'C': return "char";
    case 'D': return "double";
    case 'F': return "float";
    case 'I': return "int";
    case 'J': return "long";
    case 'S': return "short";
    case 'Z': return "boolean";
    default: return "void";
    }
}

}  // namespace

std::string TypeNamer::typeName(const JavaType& type) const {
    std::string name = type.base == 'L' ? className(type.className) : primitiveName(type.base);
    for (int i = 0; i < type.dimensions; ++i) name += "[]";
    return name;
}

}  // namespace jad
