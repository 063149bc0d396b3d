// Whether an argument may be cast to the erased type of the parameter it
// goes to, so that overload resolution picks the method the bytecode calls.
#pragma once

#include <cstddef>

#include "classfile/ClassFile.h"

namespace jad::body {

// The cast compiles wherever the method is called: the parameter's generic
// type names no type variable, or names only one of the method's own, whose
// bounds name no other class's variable (javac then infers the erasure).
// A class's variable is bound by the receiver (`FileVisitor<Path>` takes a
// Path, not an Object), and an unreadable signature leaves the answer no.
bool erasureCastFits(const Method& declared, size_t parameter);

// The cast to the erased parameter compiles, if unchecked: the parameter is
// no type variable (nor an array of one), which only its bound's subtypes
// meet; a raw type converts to any parameterization of its class.
bool erasureCastCompiles(const Method& declared, size_t parameter);

}  // namespace jad::body
