#include "body/synthetic/ConstructorPrologue.h"

#include "body/ir/Failure.h"

namespace jad::body {

namespace {

bool isConstructorCall(const Stmt& s) {
    return s.kind == StmtKind::Expr && s.expr->kind == ExprKind::Invoke && s.expr->name == "<init>" &&
           !s.expr->args.empty() && s.expr->args[0]->kind == ExprKind::This;
}

}  // namespace

bool isPlumbing(const Stmt& s, const ClassFile& owner) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return false;
    const Expr& target = *s.expr->args[0];
    if (target.kind != ExprKind::Field || target.isStatic || target.owner != owner.thisClass ||
        target.args[0]->kind != ExprKind::This) return false;
    for (const Field& f : owner.fields) {
        if (f.name == target.name) return isSynthetic(f);
    }
    return false;
}

void dropPlumbingBeforeConstructorCall(StmtList& body, const ClassFile& owner) {
    size_t call = 0;
    while (call < body.size() && !isConstructorCall(*body[call])) ++call;
    if (call == body.size()) return;
    for (size_t i = 0; i < call; ++i) {
        if (!isPlumbing(*body[i], owner)) return;
    }
    body.erase(body.begin(), body.begin() + static_cast<long>(call));
}

void checkConstructorCall(const StmtList& body) {
    for (size_t i = 0; i < body.size(); ++i) {
        if (isConstructorCall(*body[i]) && i > 0) throw Unsupported{"statements before the constructor call"};
    }
}

}  // namespace jad::body
