// Generic traversals of the IR: every expression slot of a statement tree,
// every statement list, every variable reference.
#pragma once

#include <functional>

#include "body/ir/Ir.h"

namespace jad::body {

// The visitors are templates: every pass walks the whole tree with them, and
// a call through std::function per node was a large part of the run time.

// The statement lists directly owned by `s` (branches, bodies, arms, catches).
std::vector<StmtList*> childLists(Stmt& s);
// The same without building a vector: `f` is called with each list.
// Spelled out list by list: this runs for every statement of every walk,
// and a loop over an array of the lists cost twice as much.
template <typename F> void forEachChildList(Stmt& s, F&& f) {
    if (!s.init.empty()) f(s.init);
    if (!s.body.empty()) f(s.body);
    if (!s.elseBody.empty()) f(s.elseBody);
    if (!s.update.empty()) f(s.update);
    if (!s.finallyBody.empty()) f(s.finallyBody);
    for (SwitchArm& arm : s.arms) f(arm.body);
    for (CatchClause& c : s.catches) f(c.body);
}

// Every expression slot of `e`, children before parents.
template <typename F> void visitExprSlots(ExprPtr& e, F&& f) {
    if (!e) return;
    for (ExprPtr& child : e->args) visitExprSlots(child, f);
    f(e);
}
// The top-level expression slots held by one statement (not its children).
template <typename F> void visitOwnExprs(Stmt& s, F&& f) {
    if (s.expr) f(s.expr);
}
// Every statement list inside `list`, inner lists before outer ones.
template <typename F> void visitLists(StmtList& list, F&& f) {
    for (StmtPtr& s : list) {
        forEachChildList(*s, [&](StmtList& child) { visitLists(child, f); });
    }
    f(list);
}
// Every expression slot anywhere under `list`.
template <typename F> void visitAllExprs(StmtList& list, F&& f) {
    visitLists(list, [&](StmtList& l) {
        for (StmtPtr& s : l) {
            if (s->expr) visitExprSlots(s->expr, f);
        }
    });
}

// Whether `pred` holds for an expression anywhere in a statement,
// switch-expression bodies and guards included; the walk stops at the first.
template <typename P> bool anyExpr(const Stmt& s, const P& pred);

template <typename P> bool anyExpr(const StmtList& list, const P& pred) {
    for (const StmtPtr& s : list) {
        if (anyExpr(*s, pred)) return true;
    }
    return false;
}

template <typename P> bool anyExpr(const Expr& e, const P& pred) {
    if (pred(e) || (e.block && anyExpr(*e.block, pred))) return true;
    for (const ExprPtr& child : e.args) {
        if (child && anyExpr(*child, pred)) return true;
    }
    return false;
}

template <typename P> bool anyExpr(const Stmt& s, const P& pred) {
    if (s.expr && anyExpr(*s.expr, pred)) return true;
    for (const StmtList* list : {&s.init, &s.body, &s.elseBody, &s.update, &s.finallyBody}) {
        if (anyExpr(*list, pred)) return true;
    }
    for (const SwitchArm& arm : s.arms) {
        if ((arm.guard && anyExpr(*arm.guard, pred)) || anyExpr(arm.body, pred)) return true;
    }
    for (const CatchClause& c : s.catches) {
        if (anyExpr(c.body, pred)) return true;
    }
    return false;
}

// Whether a statement (an expression) of that kind stands anywhere under
// `list`; the walk stops at the first. A pass that rewrites only those
// skips the bodies without one.
bool containsStmt(StmtList& list, StmtKind kind);
inline bool containsExpr(const StmtList& list, ExprKind kind) {
    return anyExpr(list, [kind](const Expr& e) { return e.kind == kind; });
}

// Counts into Var::defs and Var::uses over `lists` (the counts are reset first
// for `vars`).
void countVarUses(const std::vector<VarPtr>& vars, const std::vector<StmtList*>& lists,
                  const std::vector<ExprPtr*>& extra);

// The local an assignment, compound assignment or increment writes, if any.
Var* assignedVar(const Expr& e);
bool writesVar(const Expr& e, const Var& var);

}  // namespace jad::body
