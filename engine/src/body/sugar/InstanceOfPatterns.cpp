#include "body/sugar/InstanceOfPatterns.h"

#include "body/flow/Flow.h"
#include "body/ir/Walk.h"
#include "classfile/Signature.h"

namespace jad::body {

namespace {

// A pattern's type must be reifiable: raw, or with wildcards alone.
bool reifiable(const GenericType& type) {
    if (type.kind == GenericType::Kind::Variable) return false;
    for (const ClassTypePart& part : type.parts) {
        for (const TypeArgument& argument : part.arguments) {
            if (argument.kind != '*') return false;
        }
    }
    return true;
}

// `t = (T) x` with `t` declared right there as a T, x a local: the store
// javac makes for a match of `x instanceof T`.
Var* matchStore(const Stmt& s, const Expr& test) {
    if (s.kind != StmtKind::Expr || s.label || s.declare.size() != 1) return nullptr;
    const Expr& e = *s.expr;
    if (e.kind != ExprKind::Assign || e.args[0]->kind != ExprKind::Local) return nullptr;
    Var* bound = e.args[0]->var.get();
    if (bound != s.declare[0].get() || bound->kind != VarKind::Local) return nullptr;
    const Expr& cast = *e.args[1];
    if (cast.kind != ExprKind::Cast || !cast.type.isReference() || !sameType(cast.type, bound->type)) return nullptr;
    if (cast.generic || (bound->generic && !reifiable(*bound->generic))) return nullptr;
    const Expr& tested = *test.args[0];
    const Expr& operand = *cast.args[0];
    if (tested.kind != ExprKind::Local || operand.kind != ExprKind::Local || tested.var != operand.var) return nullptr;
    if (tested.var.get() == bound || typeOfClassName(test.owner).descriptor() != cast.type.descriptor()) return nullptr;
    // Before level 21 a pattern may not be a supertype of the tested type:
    // an equal one is the case the bytecode can show.
    if (sameType(tested.var->type, cast.type)) return nullptr;
    return bound;
}

// The conjuncts of `c` (for `&&`) or its disjuncts (for `||`), left to right.
void terms(const ExprPtr& c, const char* op, std::vector<ExprPtr*>& out, ExprPtr& slot) {
    if (c->kind == ExprKind::Binary && c->op == op) {
        terms(c->args[0], op, out, c->args[0]);
        terms(c->args[1], op, out, c->args[1]);
        return;
    }
    out.push_back(&slot);
}

bool writesLocal(const ExprPtr& e, const Var& var) {
    bool writes = false;
    forEachExpr(e, [&](const ExprPtr& x) { writes = writes || writesVar(*x, var); });
    return writes;
}

// The InstanceOf among the terms of `condition` that is known to hold when
// the condition is `whenTrue`, and that matches `store`: bound there.
bool bindIn(ExprPtr& condition, bool whenTrue, const Stmt& store) {
    std::vector<ExprPtr*> parts;
    terms(condition, whenTrue ? "&&" : "||", parts, condition);
    for (size_t i = 0; i < parts.size(); ++i) {
        ExprPtr test = *parts[i];
        if (!whenTrue) {
            if (test->kind != ExprKind::Unary || test->op != "!") continue;
            test = test->args[0];
        }
        if (test->kind != ExprKind::InstanceOf || test->var) continue;
        Var* bound = matchStore(store, *test);
        if (!bound) continue;
        const Var& tested = *test->args[0]->var;
        for (size_t j = i + 1; j < parts.size(); ++j) {
            if (writesLocal(*parts[j], tested)) return false;
        }
        test->var = store.declare[0];
        return true;
    }
    return false;
}

void foldList(StmtList& list) {
    for (size_t i = 0; i < list.size(); ++i) {
        Stmt& s = *list[i];
        const bool guarded = s.kind == StmtKind::If || (s.kind == StmtKind::Loop && s.loop == LoopKind::While);
        if (!guarded || !s.expr) continue;
        // the test guards the branch: `if (x instanceof T t) { ... }`
        if (!s.body.empty() && bindIn(s.expr, true, *s.body[0])) {
            s.body.erase(s.body.begin());
            continue;
        }
        // the branch leaves when it fails: `if (!(x instanceof T t)) return;`
        if (s.kind == StmtKind::If && s.elseBody.empty() && i + 1 < list.size() && !canComplete(s.body) &&
            !s.label && bindIn(s.expr, false, *list[i + 1])) {
            list.erase(list.begin() + static_cast<long>(i + 1));
        }
    }
}

}  // namespace

void foldInstanceOfPatterns(StmtList& body) { visitLists(body, foldList); }

}  // namespace jad::body
