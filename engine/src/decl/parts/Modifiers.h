// Modifier keywords in source order, as the dialect allows them.
#pragma once

#include <cstdint>
#include <string>

namespace jad {

// Each ends in a space when not empty.
std::string visibility(uint16_t access);
std::string classModifiers(uint16_t access, bool member);
std::string fieldModifiers(uint16_t access, bool inInterface);
std::string methodModifiers(uint16_t access, bool inInterface);

}  // namespace jad
