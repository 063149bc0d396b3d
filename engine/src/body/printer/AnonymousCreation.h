// What the printer asks of anonymous classes and captured values while it
// writes an expression.
#pragma once

#include <optional>
#include <string>

#include "body/printer/Printer.h"

namespace jad::body {

// The name a lambda's body may use for a value its creation captures that
// is no local: a final field of this class read through `this`, printed by
// its bare name (a local class's captured locals are such fields). Read at
// any time it is the value captured. Nothing for any other value.
std::optional<std::string> capturedFieldName(const Expr& value, const PrintContext& c, const ExprPrinter& p);

// `new Super(args) { members }` when `e` creates an anonymous class.
// `constantTail`, when given, receives `(args) { members }` without the two
// first arguments when the class is a constant's body of the enum the code
// is in and passes those on first (else it is left alone).
std::optional<std::string> anonymousCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p,
                                             std::string* constantTail = nullptr);

}  // namespace jad::body
