// A static field's ConstantValue as the literal its declaration prints.
#pragma once

#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// Empty when the field has no constant the JVM would use (it ignores the
// attribute on instance fields).
std::string constantInitializer(const ClassFile& owner, const Field& field, int splitAt);

}  // namespace jad
