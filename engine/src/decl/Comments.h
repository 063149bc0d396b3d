// What the dialect cannot declare, kept as `//` lines above a declaration.
#pragma once

#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad {

// "// @Override" lines; a Deprecated attribute without its annotation too.
std::vector<std::string> annotationComments(const AnnotationTexts& annotations, bool deprecated);
// "// signature <T:Ljava/lang/Object;>(TT;)V", or nothing without a signature.
std::vector<std::string> signatureComment(const std::string& signature);

}  // namespace jad
