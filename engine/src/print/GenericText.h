// Generic types as the modern dialect declares them, class names through the
// file's TypeNamer: "Map<K, List<? extends V>>", "<T extends Comparable<? super T>>".
#pragma once

#include <string>
#include <vector>

#include "classfile/Signature.h"
#include "print/TypeNamer.h"

namespace jad {

std::string genericTypeName(const GenericType& type, const TypeNamer& types);
// With the brackets; empty for none.
std::string typeParameterList(const std::vector<TypeParameter>& parameters, const TypeNamer& types);
// "T... name" for the last parameter of a varargs method.
std::string varargsTypeName(const GenericType& type, const TypeNamer& types);

// The erased type a generic type stands for, to check a signature against
// its descriptor: type variables erase to their first bound.
JavaType erasure(const GenericType& type, const std::vector<const std::vector<TypeParameter>*>& scopes);

}  // namespace jad
