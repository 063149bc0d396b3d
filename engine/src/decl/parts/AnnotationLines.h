// Annotations as the modern dialect declares them. Their text names types
// by their qualified names, so they need no imports; one whose type is
// likely missing where the output is compiled (a checker's annotation, not
// retained at run time and not shipped with the classes) stays a comment.
#pragma once

#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad {

// One line per annotation: "@Override", or "// @javax.annotation.Nullable".
std::vector<std::string> annotationLines(const Annotations& annotations, const ClassFile& owner);
// The annotations that can be declared, each followed by a space, for a
// parameter or a record component.
std::string inlineAnnotations(const Annotations& annotations, const ClassFile& owner);

}  // namespace jad
