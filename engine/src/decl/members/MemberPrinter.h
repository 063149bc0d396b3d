// Field and method declarations; method bodies come from the body decompiler.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"
#include "print/SourceWriter.h"

namespace jad {

// Field name -> the lines of the expression that initializes it.
using FieldValues = std::map<std::string, std::vector<std::string>>;

struct MemberContext {
    const ClassNode& owner;
    const TypeNamer& types;
    const PrintOptions& options;
    const UnitContext* unit;
    // The static initializer's statements, decompiled ahead when the class
    // has one, and the field initializers taken out of them.
    std::vector<std::string> staticBlock;
    FieldValues fieldValues;
};

void printField(SourceWriter& out, const MemberContext& context, const Field& field);
void printMethod(SourceWriter& out, const MemberContext& context, const Method& method);

// Shared with the modern dialect's printer: the parameters a constructor's
// source does not declare (the enclosing instance), and a body's lines,
// the fallback body when it cannot be decompiled.
size_t hiddenLeadingParameters(const ClassNode& owner, const Method& method, const MethodType& type);
DecompiledBody decompiledBody(const BodyRequest& request);
std::vector<std::string> bodyLines(const BodyRequest& request);

// `text` (modifiers, type and name) as a field declaration with its
// initializer: the constant value, or the value the initializers assigned.
void printFieldDeclaration(SourceWriter& out, const MemberContext& context, const Field& field,
                           const std::string& name, std::string text);

// The static initializer `clinit`, decompiled.
DecompiledBody staticInitializerBody(const MemberContext& context, const Method& clinit);

// The lines of the throw statement a body ends with; none when it does
// not end by throwing (the fallback body always does).
size_t trailingThrowLines(const DecompiledBody& body);

// A static initializer's statements, ready for its block: one that must be
// able to complete normally but ends with a throw of `throwLines` lines
// throws conditionally.
std::vector<std::string> staticBlockLines(std::vector<std::string> lines, size_t throwLines);

}  // namespace jad
