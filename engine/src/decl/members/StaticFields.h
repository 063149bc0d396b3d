// Static field initializers recovered from a static initializer that does
// nothing but assign them, in the order the fields are declared: the source
// had them as initializers, and an interface can say it no other way.
#pragma once

#include <optional>

#include "decl/members/MemberPrinter.h"

namespace jad {

// The initializers, or nothing when any statement is more than such an
// assignment (or the initializer could not be decompiled).
std::optional<FieldValues> fieldInitializers(const DecompiledBody& staticInitializer, const ClassFile& owner);

// The static field of `owner` a statement stores, when it is one an
// initializer can hold: declared, shown, and without a constant value.
const Field* initializedField(const TopStatement& statement, const ClassFile& owner);

}  // namespace jad
