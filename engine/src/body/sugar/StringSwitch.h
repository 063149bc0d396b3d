// Switches on a String. javac switches on the string's hashCode(), sets a
// temporary index by equals() tests in each case (several when hash codes
// collide), then switches on that index; the source said
// `switch (s) { case "a": ... }`.
#pragma once

#include "body/ir/Ir.h"

namespace jad::body {

// Rewrites every such pair of switches into the one string switch. A pair
// that does not have exactly javac's shape stays as it is: it is a correct
// program either way.
void recoverStringSwitches(StmtList& body);

// String.hashCode() of UTF-16 text.
int32_t javaHashCode(const std::u16string& text);

}  // namespace jad::body
