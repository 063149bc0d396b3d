// Generic traversals of the IR: every expression slot of a statement tree,
// every statement list, every variable reference.
#pragma once

#include <functional>

#include "body/Ir.h"

namespace jad::body {

using ExprVisitor = std::function<void(ExprPtr&)>;
using ListVisitor = std::function<void(StmtList&)>;

// Every expression slot of `e`, children before parents.
void visitExprSlots(ExprPtr& e, const ExprVisitor& f);
// The top-level expression slots held by one statement (not its children).
void visitOwnExprs(Stmt& s, const ExprVisitor& f);
// Every statement list inside `list`, inner lists before outer ones.
void visitLists(StmtList& list, const ListVisitor& f);
// Every expression slot anywhere under `list`.
void visitAllExprs(StmtList& list, const ExprVisitor& f);
// The statement lists directly owned by `s` (branches, bodies, arms, catches).
std::vector<StmtList*> childLists(Stmt& s);
// The same without building a vector: `f` is called with each list.
template <typename F> void forEachChildList(Stmt& s, F&& f) {
    for (StmtList* l : {&s.init, &s.body, &s.elseBody, &s.update, &s.finallyBody}) {
        if (!l->empty()) f(*l);
    }
    for (SwitchArm& arm : s.arms) f(arm.body);
    for (CatchClause& c : s.catches) f(c.body);
}

// Counts into Var::defs and Var::uses over `lists` (the counts are reset first
// for `vars`).
void countVarUses(const std::vector<VarPtr>& vars, const std::vector<StmtList*>& lists,
                  const std::vector<ExprPtr*>& extra);

// The local an assignment, compound assignment or increment writes, if any.
Var* assignedVar(const Expr& e);
bool writesVar(const Expr& e, const Var& var);

}  // namespace jad::body
