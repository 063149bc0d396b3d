// The checked exceptions a functional interface's method declares: the
// anonymous class that stands for a lambda declares them too, or the calls
// its body makes that throw them would not compile.
#pragma once

#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"
#include "classfile/ClassFile.h"

namespace jad::body {

// The `throws` list (internal names, erased as the class file keeps them)
// of `name` `descriptor` in `iface` or the interfaces it extends; empty
// when none declares one or the interfaces cannot be read. `anyClass`:
// the interfaces are looked up wherever the unit can see a type (the
// platform, the class path), not only beside the input.
std::vector<std::string> samExceptions(const std::string& iface, const std::string& name, const std::string& descriptor,
                                       const ClassFile& owner, const UnitContext* unit, bool anyClass = false);

}  // namespace jad::body
