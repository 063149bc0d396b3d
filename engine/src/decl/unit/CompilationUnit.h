// A whole output file: header comment, package, imports and the class.
#pragma once

#include <set>
#include <string>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"

namespace jad {

// The engine's version as the header states it.
extern const char* const EngineVersion;

// The text with CR LF line ends, ready to write.
// `unplaced` gets the local classes meant to be printed in place that are
// not there once (a body that could not be printed dropped them).
std::string printCompilationUnit(const ClassNode& top, const SiblingFiles& siblings, const PrintOptions& options,
                                 std::set<std::string>* unplaced = nullptr);

// -m: the tree and its text, with the local classes printed in place that
// cannot be kept member classes in a second printing.
struct PrintedUnit {
    ClassNode tree;
    std::string text;
};
PrintedUnit printModernUnit(ClassFile top, const SiblingFiles& siblings, const PrintOptions& options);

}  // namespace jad
