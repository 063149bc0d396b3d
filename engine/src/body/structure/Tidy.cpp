#include "body/structure/Tidy.h"

#include <set>

#include "body/flow/Flow.h"
#include "body/ir/Walk.h"

namespace jad::body {

namespace {

bool removeTailReturns(StmtList& list) {
    if (list.empty()) return false;
    Stmt& last = *list.back();
    if (last.kind == StmtKind::Return && !last.expr) {
        list.pop_back();
        return true;
    }
    bool changed = false;
    if (last.kind == StmtKind::If) {
        changed |= removeTailReturns(last.body);
        changed |= removeTailReturns(last.elseBody);
    } else if (last.kind == StmtKind::Block || last.kind == StmtKind::Synchronized) {
        changed |= removeTailReturns(last.body);
    } else if (last.kind == StmtKind::Try) {
        // falling off the try runs the finally body as the return did
        changed |= removeTailReturns(last.body);
        for (CatchClause& c : last.catches) changed |= removeTailReturns(c.body);
    }
    return changed;
}

struct LabelMarker {
    std::vector<Stmt*> breakables, loops;
    std::set<int> used;

    void walk(StmtList& list) {
        for (StmtPtr& s : list) visit(*s);
    }
    void visit(Stmt& s) {
        if (s.kind == StmtKind::Break) {
            s.explicitLabel = breakables.empty() || breakables.back()->label != s.target;
            if (s.explicitLabel) used.insert(s.target);
            return;
        }
        if (s.kind == StmtKind::Continue) {
            s.explicitLabel = loops.empty() || loops.back()->label != s.target;
            if (s.explicitLabel) used.insert(s.target);
            return;
        }
        const bool loop = s.kind == StmtKind::Loop;
        const bool breakable = loop || s.kind == StmtKind::Switch;
        if (breakable) breakables.push_back(&s);
        if (loop) loops.push_back(&s);
        forEachChildList(s, [&](StmtList& child) { walk(child); });
        if (breakable) breakables.pop_back();
        if (loop) loops.pop_back();
    }
    void apply(StmtList& list) {
        visitLists(list, [&](StmtList& l) {
            for (StmtPtr& s : l) {
                if (s->label) s->explicitLabel = used.count(s->label) > 0;
            }
        });
    }
};

int occurrences(const StmtList& body, const Var* v) {
    int count = 0;
    visitAllExprs(const_cast<StmtList&>(body), [&](ExprPtr& e) {
        if (e->kind == ExprKind::Local && e->var.get() == v) ++count;
    });
    return count;
}

// try { ...; t = E; } catch (...) { ... } return t;  ->  try { ...; return E; } ...
void returnInsideTry(StmtList& body) {
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i + 1 < list.size(); ++i) {
            Stmt& tryStmt = *list[i];
            Stmt& ret = *list[i + 1];
            if (tryStmt.kind != StmtKind::Try || !tryStmt.finallyBody.empty() || tryStmt.body.empty()) continue;
            if (ret.kind != StmtKind::Return || !ret.expr || ret.expr->kind != ExprKind::Local) continue;
            const VarPtr temp = ret.expr->var;
            if (temp->kind != VarKind::Temp) continue;
            Stmt& last = *tryStmt.body.back();
            if (last.kind != StmtKind::Expr || last.expr->kind != ExprKind::Assign || last.expr->args[0]->kind != ExprKind::Local ||
                last.expr->args[0]->var != temp) continue;
            if (occurrences(body, temp.get()) != 2) continue;
            tryStmt.body.back() = makeStmt(StmtKind::Return, last.expr->args[1]);
            list.erase(list.begin() + static_cast<long>(i) + 1);
        }
    });
}

}  // namespace

void markExplicitLabels(StmtList& body) {
    LabelMarker marker;
    marker.walk(body);
    marker.apply(body);
}

void tidy(StmtList& body, bool isVoid, Budget& budget) {
    for (int round = 0; round < 200; ++round) {
        budget.spend(body.size() + 1);
        bool changed = removeTailJumps(body);
        changed |= spliceUnusedBlocks(body);
        changed |= redirectBreaks(body);
        changed |= recoverLoops(body);
        changed |= simplifyIfs(body);
        if (isVoid) changed |= removeTailReturns(body);
        if (!changed) break;
    }
    unwrapElseAfterJump(body);
    returnInsideTry(body);
    spliceUnusedBlocks(body);
    markExplicitLabels(body);
}

}  // namespace jad::body
