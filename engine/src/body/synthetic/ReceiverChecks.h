// javac checks the receiver of a bound method reference (`x::m`) for null
// where the reference is made: Objects.requireNonNull(x) or x.getClass(),
// its result dropped, just before the call site.
#pragma once

#include <functional>

#include "body/ir/Ir.h"

namespace jad::body {

// The value a statement only checks for null, its result dropped, and the
// check's name ("requireNonNull" or "getClass"); null for any other statement.
const Expr* receiverCheckedValue(const Stmt& s, std::string& check);

// In a constructor, those checks come before the this(...) or super(...)
// call that takes the reference as an argument, where source cannot put a
// statement: they move into the method references they belong to, which
// then print them where the reference is made. Statements for which
// `stays` holds may lie among the checks and are left in place.
void foldReceiverChecksIntoConstructorCall(StmtList& body, const std::function<bool(const Stmt&)>& stays);

}  // namespace jad::body
