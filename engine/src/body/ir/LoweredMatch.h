// Matchers shared by the modern dialect's folds of lowered constructs: they
// run on the declared tree, where a hidden local shows as a declaration
// merged into its one store.
#pragma once

#include <map>

#include "body/ir/Ir.h"

namespace jad::body {

// Every mention of every local (reads, writes, assignment targets) under a tree.
using RefCounts = std::map<const Var*, int>;
RefCounts countRefs(StmtList& body);
int refs(const RefCounts& counts, const Var* var);

bool isLocal(const Expr& e, const Var* var);

// `T v = value;` declaring v right there: v, or null.
Var* declaringStore(const Stmt& s);
// The value of an assignment statement.
const Expr& storedValue(const Stmt& s);

// `v != null` (or `null != v`); with `equal`, `v == null`.
bool comparesWithNull(const Expr& e, const Var* var, bool equal);

bool isObjectClass(const JavaType& t, const char* internalName);

}  // namespace jad::body
