// module-info.class as the module declaration it came from.
#pragma once

#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad {

// The declaration's lines, its annotations first; a `//` line when the
// class file holds no Module attribute.
std::vector<std::string> moduleDeclaration(const ClassFile& file);

}  // namespace jad
