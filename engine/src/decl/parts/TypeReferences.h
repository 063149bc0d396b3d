// The classes a class file refers to, as far as its printed source may name
// them: its declarations, and the constant pool that its method bodies use.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "classfile/ClassFile.h"

namespace jad {

// Looked up by views of descriptor text, so that a name seen again costs no copy.
using ClassNameSet = std::set<std::string, std::less<>>;

// Internal names of class types (array element types included; arrays and
// primitives themselves are not classes).
void collectReferencedClasses(const ClassFile& file, ClassNameSet& into);
// Those the generic signatures name besides, which the modern dialect declares.
void collectSignatureClasses(const ClassFile& file, ClassNameSet& into);

}  // namespace jad
