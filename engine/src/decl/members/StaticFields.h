// Static field initializers recovered from a static initializer that does
// nothing but assign them, in the order the fields are declared: the source
// had them as initializers, and an interface can say it no other way.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "decl/members/MemberPrinter.h"

namespace jad {

// The initializers, or nothing when any statement is more than such an
// assignment; `ownerName` is how the statements may qualify the fields.
std::optional<FieldValues> fieldInitializers(const std::vector<std::string>& statements, const ClassFile& owner,
                              const std::string& ownerName);

}  // namespace jad
