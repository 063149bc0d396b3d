// What the modern dialect declares a class as, and the members that the
// language generates for each kind (and so the output leaves out).
#pragma once

#include <string>

#include "classfile/ClassFile.h"

namespace jad {

enum class ClassKind { Class, Interface, Enum, Record, Annotation };

ClassKind classKind(const ClassFile& file);

// An enum constant's field.
bool isEnumConstant(const ClassFile& owner, const Field& field);
// The fields and methods an enum, record or annotation type gets from the
// language: values(), valueOf(), $VALUES, $values(); a record's component
// fields, its default accessors and the equals, hashCode and toString that
// the ObjectMethods bootstrap makes.
bool isGeneratedField(const ClassFile& owner, const Field& field);
bool isGeneratedMethod(const ClassFile& owner, const Method& method);

// A record's canonical constructor: its parameters are the components'.
bool isCanonicalConstructor(const ClassFile& owner, const Method& method);

}  // namespace jad
