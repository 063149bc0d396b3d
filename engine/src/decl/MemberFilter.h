// Which members the source had: compiler-made ones are hidden, and bridge
// methods follow the erasure.
#pragma once

#include "classfile/ClassFile.h"

namespace jad {

bool isHiddenField(const Field& field);

// Synthetic methods are hidden, except a bridge whose parameter types differ
// from the method it calls, in a class that gives its direct supertypes type
// arguments: the erased class needs it to implement its raw supertype, so it
// prints as an ordinary method. A bridge that differs only in its return
// type cannot be declared beside the method it bridges and stays hidden.
bool isHiddenMethod(const ClassFile& owner, const Method& method);

}  // namespace jad
