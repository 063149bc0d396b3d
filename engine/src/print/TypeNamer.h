// How a type is written in the output: its simple name where the file imports
// it (or it is in java.lang or the same package, unambiguously), else its
// qualified name; member classes as Outer.Inner.
#pragma once

#include <string>

#include "classfile/Descriptor.h"

namespace jad {

class TypeNamer {
public:
    virtual ~TypeNamer() = default;
    // `internalName` like "java/util/Map$Entry"; arrays are not passed here.
    virtual std::string className(const std::string& internalName) const = 0;
    // Any type, arrays and primitives included: "int", "String[][]".
    std::string typeName(const JavaType& type) const;
};

}  // namespace jad
