// The boundary between the declaration printer and the method-body
// decompiler: the printer asks for a body's statements as indented lines.
#pragma once

#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"

namespace jad {

// decompileBody's lines with the body's top level described.
DecompiledBody decompileMethod(const BodyRequest& request);

// The statements between the method's braces, one string per line, without
// line ends, indented by four spaces per level relative to the body (the
// first statement has no indentation). Never throws: a method that cannot be
// decompiled gets the fallback body.
std::vector<std::string> decompileBody(const BodyRequest& request);

}  // namespace jad
