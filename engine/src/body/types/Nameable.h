// Whether the source of one class may name another: a cast to a class it
// cannot see does not compile, and the source it came from never wrote one.
#pragma once

#include <string>

#include "body/types/Hierarchy.h"
#include "classfile/ClassFile.h"

namespace jad::body {

// Code in `from` may name the class `cls` (internal name): it is public, or
// in the same package, and so is every class around it; a private member
// class only inside its own top-level class. A class that cannot be read,
// a protected member class, and local and anonymous classes count as
// nameable, so that an answer of no is sure.
bool nameableFrom(const Hierarchy& hierarchy, const std::string& cls, const ClassFile& from);

}  // namespace jad::body
