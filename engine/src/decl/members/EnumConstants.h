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

// `staticBlock` holds the statements that are no field's initializer;
// `values` the initializers taken out of it.
EnumConstants enumConstants(const ClassFile& owner, const std::vector<std::string>& staticBlock,
                            const FieldValues& values);

}  // namespace jad
