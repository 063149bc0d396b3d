// Captured locals of anonymous classes: the creation passes them to the
// class's constructor, which keeps them in `val$x` fields; the source
// named the local itself, inside the class as outside.
#pragma once

#include <set>
#include <string>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

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
void retypeAnonymousLocals(const std::vector<VarPtr>& vars, const UnitContext* unit);

}  // namespace jad::body
