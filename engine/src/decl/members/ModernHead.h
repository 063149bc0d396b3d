// A class's declaration line in the modern dialect: its kind, type
// parameters, generic supertypes, record components and sealing.
#pragma once

#include <string>
#include <vector>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"
#include "print/TypeNamer.h"

namespace jad {

struct ModernHead {
    std::vector<std::string> notes;  // `//` lines above it (a signature that does not read)
    std::string text;                // without the opening brace
    // Whether the supertypes carry their type arguments: then the bridges
    // that implement the erased ones are the compiler's, and hidden.
    bool generic = false;
};

ModernHead modernClassHead(const ClassNode& node, const TypeNamer& types, const UnitContext* unit);

// The text of a generic signature that does not read, as a note above the
// erased declaration; the type of a descriptor in the modern dialect.
std::string malformedSignatureNote(const std::string& signature);
// The note for one that reads but names other types than the descriptor.
std::string unfitSignatureNote(const std::string& signature);

}  // namespace jad
