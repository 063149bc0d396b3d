// A whole output file: header comment, package, imports and the class.
#pragma once

#include <string>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"

namespace jad {

// The engine's version as the header states it.
extern const char* const EngineVersion;

// The text with CR LF line ends, ready to write.
std::string printCompilationUnit(const ClassNode& top, const SiblingFiles& siblings, const PrintOptions& options);

}  // namespace jad
