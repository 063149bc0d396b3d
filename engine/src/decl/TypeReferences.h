// The classes a class file refers to, as far as its printed source may name
// them: its declarations, and the constant pool that its method bodies use.
#pragma once

#include <set>
#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// Internal names of class types (array element types included; arrays and
// primitives themselves are not classes).
void collectReferencedClasses(const ClassFile& file, std::set<std::string>& into);

}  // namespace jad
