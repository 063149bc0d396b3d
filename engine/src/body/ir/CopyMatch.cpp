#include "body/ir/CopyMatch.h"

#include <cstring>

namespace jad::body {

namespace {

bool sameLiteral(const LiteralValue& a, const LiteralValue& b) {
    // bit for bit: NaN equals itself, 0.0 differs from -0.0
    return a.tag == b.tag && a.integer == b.integer && std::memcmp(&a.real, &b.real, sizeof a.real) == 0 &&
           a.text == b.text;
}

bool sameLambda(const LambdaSite* a, const LambdaSite* b) {
    if (!a || !b) return a == b;
    return a->samName == b->samName && a->samDescriptor == b->samDescriptor && a->implKind == b->implKind &&
           a->implOwner == b->implOwner && a->implName == b->implName && a->implDescriptor == b->implDescriptor;
}

bool noLists(const Stmt& s) {
    return s.body.empty() && s.elseBody.empty() && s.init.empty() && s.update.empty() && s.arms.empty() &&
           s.catches.empty() && s.finallyBody.empty() && s.declare.empty();
}

}  // namespace

bool CopyMatch::sameVar(const Var* a, const Var* b) {
    if (!a || !b) return a == b;
    auto f = _forward.find(a);
    if (f != _forward.end()) return f->second == b;
    if (_backward.count(b)) return false;
    _forward[a] = b;
    _backward[b] = a;
    if (a != b) _renamed[a] = b;
    return true;
}

bool CopyMatch::sameExpr(const ExprPtr& a, const ExprPtr& b) {
    if (!a || !b) return a == b;
    const Expr& x = *a;
    const Expr& y = *b;
    // an object not yet constructed is named by its pc, which differs per copy
    if (x.kind == ExprKind::Uninitialized || y.kind == ExprKind::Uninitialized) return false;
    if (x.kind != y.kind || !sameType(x.type, y.type) || x.op != y.op || x.owner != y.owner || x.name != y.name ||
        x.descriptor != y.descriptor || x.isStatic != y.isStatic || x.invoke != y.invoke ||
        !sameLiteral(x.literal, y.literal) || !sameLambda(x.lambda.get(), y.lambda.get()) ||
        x.args.size() != y.args.size()) {
        return false;
    }
    if ((x.var || y.var) && !sameVar(x.var.get(), y.var.get())) return false;
    for (size_t i = 0; i < x.args.size(); ++i) {
        if (!sameExpr(x.args[i], y.args[i])) return false;
    }
    return true;
}

bool CopyMatch::sameStmt(const Stmt& a, const Stmt& b) {
    if (a.kind != b.kind || a.enter != b.enter || a.label != b.label || a.target != b.target) return false;
    if (!noLists(a) || !noLists(b)) return false;
    return sameExpr(a.expr, b.expr);
}

}  // namespace jad::body
