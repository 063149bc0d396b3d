// Equality of two copies of the same source code, as javac emits a finally
// body once per way out of its try: the same statements, where a local the
// copy uses may be another variable than the original's, one for one.
#pragma once

#include <map>

#include "body/ir/Ir.h"

namespace jad::body {

class CopyMatch {
public:
    // Statements as they stand inside basic blocks (no nested lists).
    bool sameStmt(const Stmt& a, const Stmt& b);
    bool sameExpr(const ExprPtr& a, const ExprPtr& b);
    // The pairs of distinct variables the equalities relied on; the caller
    // checks that each side is used nowhere but in its own copy.
    const std::map<const Var*, const Var*>& renamed() const { return _renamed; }

private:
    bool sameVar(const Var* a, const Var* b);

    std::map<const Var*, const Var*> _forward, _backward, _renamed;
};

}  // namespace jad::body
