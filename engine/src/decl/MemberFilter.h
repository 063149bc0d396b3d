// Which members the source had: compiler-made ones are hidden, and bridge
// methods follow the erasure.
#pragma once

#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// Synthetic fields are hidden, except the flag javac makes for `assert`
// (`$assertionsDisabled`), which the `if` it compiles to still reads.
bool isHiddenField(const Field& field);

bool isAssertionFlag(const Field& field);
// The legal name the output gives that flag, distinct from the class's
// other fields; method bodies must refer to it by this name.
std::string assertionFlagName(const ClassFile& owner);
// A field's name as its declaration prints it.
std::string printedFieldName(const ClassFile& owner, const Field& field);

// Synthetic methods are hidden, except a bridge whose parameter types differ
// from the method it calls, in a class that gives its direct supertypes type
// arguments: the erased class needs it to implement its raw supertype, so it
// prints as an ordinary method. A bridge that differs only in its return
// type cannot be declared beside the method it bridges and stays hidden.
bool isHiddenMethod(const ClassFile& owner, const Method& method);

}  // namespace jad
