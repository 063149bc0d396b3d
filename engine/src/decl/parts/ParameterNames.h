// The names a method's parameters are printed with: from MethodParameters,
// then from the LocalVariableTable, else made up from the type.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "body/pipeline/MethodBody.h"
#include "classfile/ClassFile.h"
#include "classfile/Descriptor.h"
#include "print/TypeNamer.h"

namespace jad {

// One name per parameter of the descriptor, unique and legal in the output.
std::vector<std::string> parameterNames(const Method& method, const std::vector<JavaType>& parameters,
                                        const TypeNamer& types);

// Inside an anonymous class the locals it and the anonymous classes around
// it capture stay visible by their names: those names, which its methods'
// parameters and locals must not take.
std::set<std::string> capturedLocalNames(const ClassFile& file, const UnitContext* unit);

// Renames those of `names` that are in `captured`, keeping them unique.
void keepClearOf(const std::set<std::string>& captured, std::vector<std::string>& names);

// A short readable name for a value of `type`: i, s, obj, list, ai.
std::string nameForType(const JavaType& type, const TypeNamer& types);

}  // namespace jad
