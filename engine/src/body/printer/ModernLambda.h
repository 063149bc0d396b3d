// Lambdas and method references as the modern dialect prints them: `->`
// with the synthetic method's body inlined, `X::m` where the call site names
// the method itself, and the anonymous class where neither keeps the meaning.
#pragma once

#include <optional>
#include <string>

#include "body/ir/Ir.h"
#include "body/printer/Printer.h"

namespace jad::body {

// javac's null check of a bound reference's receiver, a statement of its
// own just before it, moves into the reference (LambdaSite::receiverCheck):
// `x::m` checks x where it is made, as the classic form's initializer does.
void foldReceiverChecks(StmtList& body);

// Records in each lambda of `body` where it stands (LambdaSite::place): the
// printed form depends on what gives it its type there.
// `returnType`: null when the type returned values are given is not known;
// `returnDeclared`: it is printed as the source declared it. `owner`: the
// class whose fields are declared as the source had them.
void placeLambdas(StmtList& body, const JavaType* returnType, bool returnDeclared, const std::string& owner);

LambdaShape lambdaShape(const StmtList& body);

// The lambda or method reference text, or nothing when only the anonymous
// class form is sure to mean the same.
std::optional<std::string> modernLambdaText(const Expr& e, const PrintContext& c, const ExprPrinter& p);

}  // namespace jad::body
