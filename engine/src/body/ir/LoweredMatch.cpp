#include "body/ir/LoweredMatch.h"

#include "body/ir/Walk.h"

namespace jad::body {

RefCounts countRefs(StmtList& body) {
    RefCounts counts;
    visitAllExprs(body, [&](ExprPtr& e) {
        if (e->kind == ExprKind::Local && e->var) ++counts[e->var.get()];
    });
    return counts;
}

int refs(const RefCounts& counts, const Var* var) {
    auto it = counts.find(var);
    return it == counts.end() ? 0 : it->second;
}

bool isLocal(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

Var* declaringStore(const Stmt& s) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign || s.declare.size() != 1 || s.label) return nullptr;
    const Expr& target = *s.expr->args[0];
    if (target.kind != ExprKind::Local || target.var != s.declare[0]) return nullptr;
    return target.var.get();
}

const Expr& storedValue(const Stmt& s) { return *s.expr->args[1]; }

bool comparesWithNull(const Expr& e, const Var* var, bool equal) {
    if ((e.kind != ExprKind::Compare && e.kind != ExprKind::Binary) || e.args.size() != 2) return false;
    if (e.op != (equal ? "==" : "!=")) return false;
    return (isLocal(*e.args[0], var) && e.args[1]->kind == ExprKind::Null) ||
           (isLocal(*e.args[1], var) && e.args[0]->kind == ExprKind::Null);
}

bool isObjectClass(const JavaType& t, const char* internalName) {
    return t.base == 'L' && t.dimensions == 0 && t.className == internalName;
}

}  // namespace jad::body
