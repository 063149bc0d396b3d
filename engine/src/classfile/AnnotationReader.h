// Annotation attributes, rendered to Java source text as they are read since
// they are only ever printed inside comments.
#pragma once

#include <vector>

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

// Runtime(In)VisibleAnnotations: "@Override", "@Target({ElementType.METHOD})".
AnnotationTexts readAnnotations(ByteCursor& in, ReadContext& context);
// Runtime(In)VisibleParameterAnnotations: one list per parameter.
std::vector<AnnotationTexts> readParameterAnnotations(ByteCursor& in, ReadContext& context);
// AnnotationDefault: the default value's source text.
std::string readElementValue(ByteCursor& in, ReadContext& context);

}  // namespace jad
