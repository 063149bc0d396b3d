#include "body/ir/Walk.h"

namespace jad::body {

std::vector<StmtList*> childLists(Stmt& s) {
    std::vector<StmtList*> lists{&s.init, &s.body, &s.elseBody, &s.update, &s.finallyBody};
    for (SwitchArm& arm : s.arms) lists.push_back(&arm.body);
    for (CatchClause& c : s.catches) lists.push_back(&c.body);
    return lists;
}

Var* assignedVar(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Assign: case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
        return e.args[0]->kind == ExprKind::Local ? e.args[0]->var.get() : nullptr;
    default: return nullptr;
    }
}

bool writesVar(const Expr& e, const Var& var) {
    if (assignedVar(e) == &var) return true;
    for (const ExprPtr& child : e.args) {
        if (writesVar(*child, var)) return true;
    }
    return false;
}

namespace {

void countIn(const Expr& e, bool isTarget) {
    if (e.kind == ExprKind::Local && e.var) {
        if (isTarget) ++e.var->defs;
        else ++e.var->uses;
    }
    const bool assigns = e.kind == ExprKind::Assign;
    const bool updates = e.kind == ExprKind::CompoundAssign || e.kind == ExprKind::PreIncrement ||
                         e.kind == ExprKind::PostIncrement;
    for (size_t i = 0; i < e.args.size(); ++i) {
        const Expr& child = *e.args[i];
        if (i == 0 && (assigns || updates) && child.kind == ExprKind::Local) {
            ++child.var->defs;
            if (updates) ++child.var->uses;
            continue;
        }
        countIn(child, false);
    }
}

}  // namespace

void countVarUses(const std::vector<VarPtr>& vars, const std::vector<StmtList*>& lists,
                  const std::vector<ExprPtr*>& extra) {
    for (const VarPtr& v : vars) v->defs = v->uses = 0;
    for (StmtList* list : lists) {
        visitLists(*list, [](StmtList& l) {
            for (StmtPtr& s : l) {
                if (s->expr) countIn(*s->expr, false);
                for (CatchClause& c : s->catches) {
                    if (c.var) ++c.var->defs;
                }
            }
        });
    }
    for (ExprPtr* e : extra) {
        if (*e) countIn(**e, false);
    }
}

bool containsStmt(StmtList& list, StmtKind kind) {
    for (StmtPtr& s : list) {
        if (s->kind == kind) return true;
        bool found = false;
        forEachChildList(*s, [&](StmtList& child) { found = found || containsStmt(child, kind); });
        if (found) return true;
    }
    return false;
}

}  // namespace jad::body
