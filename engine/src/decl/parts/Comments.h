// What the dialect cannot declare, kept as `//` lines above a declaration.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad {

// "// @Override" lines; a Deprecated attribute without its annotation too.
std::vector<std::string> annotationComments(const Annotations& annotations, bool deprecated);
// The generic declaration as Java text ("// <T> T first(List<T> list)"),
// the raw signature when it cannot be read, nothing without a signature.
std::vector<std::string> signatureComment(const std::string& signature, const std::optional<std::string>& text);

}  // namespace jad
