// Switches on an enum. javac switches on `Outer$1.$SwitchMap$E[e.ordinal()]`,
// a table of case numbers that a synthetic class beside the input fills in
// its static initializer; the source said `switch (e) { case RED: ... }`.
#pragma once

#include <map>
#include <string>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

namespace jad::body {

// The table `field` of `mapClass` as its static initializer fills it for the
// enum `enumClass`: case number -> constant name. Empty when the initializer
// has any other shape or gives one number two constants.
std::map<int32_t, std::string> readSwitchMap(const ClassFile& mapClass, const std::string& field,
                                             const std::string& enumClass);

// Rewrites every switch on such a table into a switch on the enum value
// with its constants as labels. A table that cannot be read (no class beside
// the input, a case number without a constant) leaves no way to print the
// switch: Unsupported.
void recoverEnumSwitches(StmtList& body, const UnitContext* unit);

}  // namespace jad::body
