// An enum's constants as the source declared them, taken back out of the
// static initializer that creates them: `RED(1, "r") { ... },`.
#pragma once

#include <string>
#include <vector>

#include "decl/members/MemberPrinter.h"

namespace jad {

struct EnumConstants {
    std::vector<std::string> lines;        // the constants, the last ending in ';'
    std::vector<std::string> staticBlock;  // what the static initializer does besides
};

// From the static initializer (empty when there is none); with
// `restInitializesFields` its other statements are the other fields'
// initializers and stay out of the block.
EnumConstants enumConstants(const ClassFile& owner, const DecompiledBody& staticInitializer, bool restInitializesFields);

}  // namespace jad
