// The top-level statements of a printed body, described for the
// declaration printer, which moves field initializers and constructor calls.
#pragma once

#include <vector>

#include "body/pipeline/MethodBody.h"
#include "body/pipeline/MethodState.h"
#include "body/printer/Printer.h"

namespace jad::body {

// Whether the printer is to note the enum constants the body creates (an
// enum's static initializer, in the modern dialect).
bool describesEnumCreations(const MethodState& state);

// `lines`: the state's body as printed; `layout`: where each of its
// top-level statements lies in them.
std::vector<TopStatement> describeTopStatements(const MethodState& state, const std::vector<std::string>& lines,
                                                const std::vector<PrintedStatement>& layout);

}  // namespace jad::body
