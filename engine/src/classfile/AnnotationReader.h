// Annotation attributes, read into the model as values; the printer makes
// them Java text.
#pragma once

#include <vector>

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

// Runtime(In)VisibleAnnotations.
Annotations readAnnotations(ByteCursor& in, ReadContext& context);
// Runtime(In)VisibleParameterAnnotations: one list per parameter.
std::vector<Annotations> readParameterAnnotations(ByteCursor& in, ReadContext& context);
// AnnotationDefault.
ElementValue readElementValue(ByteCursor& in, ReadContext& context);

}  // namespace jad
