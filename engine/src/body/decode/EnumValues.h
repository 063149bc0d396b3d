// javac 17 gives an enum a synthetic `$values()` that builds the array of its
// constants for `$VALUES`; where it is nothing more, the output writes the
// array where it is called and hides the method.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad::body {

// `method` is `$values()` of `owner` and its code is exactly
// `return new E[] {A, B, ...};` over constants of `owner`: their names, in
// order. Nothing for any other method or body.
std::optional<std::vector<std::string>> enumValuesArray(const ClassFile& owner, const Method& method);

}  // namespace jad::body
