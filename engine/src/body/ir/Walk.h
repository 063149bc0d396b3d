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

// Whether a statement (an expression) of that kind stands anywhere under
// `list`; the walk stops at the first. A pass that rewrites only those
// skips the bodies without one.
bool containsStmt(StmtList& list, StmtKind kind);
bool containsExpr(StmtList& list, ExprKind kind);

// Counts into Var::defs and Var::uses over `lists` (the counts are reset first
// for `vars`).
void countVarUses(const std::vector<VarPtr>& vars, const std::vector<StmtList*>& lists,
                  const std::vector<ExprPtr*>& extra);

// The local an assignment, compound assignment or increment writes, if any.
Var* assignedVar(const Expr& e);
bool writesVar(const Expr& e, const Var& var);

}  // namespace jad::body
