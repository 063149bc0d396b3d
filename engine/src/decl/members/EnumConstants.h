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

// `staticBlock` is the static initializer when its statements are no
// field's initializers (null when they are, or there is none); `values` the
// initializers taken out of it.
EnumConstants enumConstants(const ClassFile& owner, const DecompiledBody* staticBlock, const FieldValues& values);

}  // namespace jad
