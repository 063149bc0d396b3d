// The enclosing instances of inner classes: javac keeps them in synthetic
// fields (this$0, this$1, ...), passes them to constructors as a hidden
// first argument, and the source names them `Outer.this` or not at all.
#pragma once

#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

namespace jad::body {

// The classes whose instances code in `owner` can name as `C.this`:
// `owner` first, then each enclosing class while the one inside it is an
// inner (non-static) class.
std::vector<std::string> enclosingInstances(const ClassFile& owner, const UnitContext* unit);

// The class `e` is the instance of when it is `this` or a chain of
// synthetic outer-instance fields starting from it; empty otherwise.
std::string instanceClassOf(const Expr& e);

// The InnerClasses entry of `name` when it is an inner member class (not
// static, not local or anonymous), from `owner`'s attribute or the class's
// own file; null otherwise.
const InnerClass* innerMemberEntry(const std::string& name, const ClassFile& owner, const UnitContext* unit);

// Rewrites the outer-instance plumbing of `method` to what the source
// wrote: in an inner class's constructor the hidden outer parameter becomes
// the outer-instance field, and an outer instance passed implicitly by the
// source (to `new Inner(...)` or a `super(...)` call) is dropped.
void rewriteOuterInstances(StmtList& body, const ClassFile& owner, const Method& method, const UnitContext* unit);

}  // namespace jad::body
