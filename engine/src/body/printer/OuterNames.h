// How the printed code names enclosing instances (`Outer.this`) and their
// members, which the simple name reaches unless the inner class hides it.
#pragma once

#include <optional>
#include <string>

#include "body/printer/Printer.h"

namespace jad::body {

// "Outer.this" when `e` is a chain of outer-instance fields leading to an
// enclosing instance; empty otherwise.
std::string outerThisText(const Expr& e, const PrintContext& c);

// When `receiver` is an enclosing instance other than `this`, what goes
// before the member `name`: nothing when the simple name reaches it,
// "Outer.this." when the inner class (or a doubt about it) hides it.
std::optional<std::string> outerMemberQualifier(const Expr& receiver, const std::string& name, bool isMethod,
                                                const PrintContext& c);

// Inside the body of a lambda whose enclosing instance has no name (an
// anonymous class): whether the simple name `name` looks past the classes
// the lambdas print as, neither their interfaces nor Object having it, nor
// (for a field) a local of the body or of the scopes around it.
bool lambdaClassesLack(const std::string& name, bool isMethod, const PrintContext& c);

// `outer.new Inner(args)` for the creation of an inner member class with an
// explicit outer instance (the rewrite marks those).
std::optional<std::string> qualifiedCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p,
                                             const std::string& arguments);

}  // namespace jad::body
