// The names a method's parameters are printed with: from MethodParameters,
// then from the LocalVariableTable, else made up from the type.
#pragma once

#include <string>
#include <vector>

#include "classfile/ClassFile.h"
#include "classfile/Descriptor.h"
#include "print/TypeNamer.h"

namespace jad {

// One name per parameter of the descriptor, unique and legal in the output.
std::vector<std::string> parameterNames(const Method& method, const std::vector<JavaType>& parameters,
                                        const TypeNamer& types);

// A short readable name for a value of `type`: i, s, obj, list, ai.
std::string nameForType(const JavaType& type, const TypeNamer& types);

}  // namespace jad
