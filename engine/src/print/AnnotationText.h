// Annotations as Java source text: "@Override", "@Target({ElementType.METHOD})".
// Texts longer than a comment needs are cut, ending in "...".
#pragma once

#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// Types are written qualified, java.lang's own by their simple names.
std::string annotationText(const Annotation& annotation);
// An element's value, as an annotation or an annotation method's default writes it.
std::string elementValueText(const ElementValue& value);

}  // namespace jad
