// -m: local classes declared where the source declared them. Their
// creations pass what the source wrote: the enclosing instance and the
// captured locals javac adds are implied. The method that declares one
// gets its declaration before the first statement that uses it, in the
// innermost block around every use, where each captured local is in scope.
#pragma once

#include "body/ir/Ir.h"
#include "body/printer/Printer.h"

namespace jad::body {

// Leaves a local class undeclared where it cannot stand (the unit then
// prints it as a member class); throws Unsupported for a creation whose
// hidden arguments are not what the source implies. Whether it declared any.
bool declareLocalClasses(StmtList& body, const PrintContext& context, const Method& method,
                         const std::vector<VarPtr>& parameters);

}  // namespace jad::body
