#include "print/TypeNamer.h"

namespace jad {

std::string TypeNamer::typeName(const JavaType& type) const {
    std::string name = type.base == 'L' ? className(type.className) : primitiveName(type.base);
    for (int i = 0; i < type.dimensions; ++i) name += "[]";
    return name;
}

}  // namespace jad
