// Captured locals of anonymous classes: the creation passes them to the
// class's constructor, which keeps them in `val$x` fields; the source
// named the local itself, inside the class as outside.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "body/Ir.h"
#include "body/MethodBody.h"
#include "body/Printer.h"

namespace jad::body {

// The locals that are not effectively final as printed: written more than
// once, or (for a local) once but not in its declaration.
std::set<const Var*> notEffectivelyFinal(StmtList& body);

// In a method of an anonymous class being printed, reads of its capture
// fields become the locals the enclosing code passed. `namesInUse` are the
// method's own names, which would hide a captured local of the same name.
void rewriteCapturedReads(StmtList& body, const ClassFile& owner, const Method& method, const UnitContext* unit,
                          const std::set<std::string>& namesInUse);

// A local class's constructor stores its captured values (now ordinary
// final fields) before calling the super constructor, which source cannot
// write; after a call of Object's constructor, which does nothing, the
// stores may come after it.
void moveCaptureStoresAfterSuperCall(StmtList& body, const ClassFile& owner);

// A local typed as an anonymous class (its type taken from the value) is
// declared with the class's supertype: the class has no name to write.
// Whether the class file is an anonymous class, as its own InnerClasses entry says.
bool isAnonymousClassFile(const ClassFile& file);

void retypeAnonymousLocals(const std::vector<VarPtr>& vars, const UnitContext* unit);

// The name a lambda's body may use for a value its creation captures that
// is no local: a final field of this class read through `this`, printed by
// its bare name (a local class's captured locals are such fields). Read at
// any time it is the value captured. Nothing for any other value.
std::optional<std::string> capturedFieldName(const Expr& value, const PrintContext& c, const ExprPrinter& p);

// `new Super(args) { members }` when `e` creates an anonymous class.
std::optional<std::string> anonymousCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p);

}  // namespace jad::body
