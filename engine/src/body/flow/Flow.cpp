#include "body/flow/Flow.h"

#include "body/ir/Walk.h"

namespace jad::body {

bool isJumpTo(const Stmt& s, StmtKind kind, int label) { return s.kind == kind && s.target == label; }

bool hasJump(const StmtList& list, StmtKind kind, int label) {
    for (const StmtPtr& s : list) {
        if (isJumpTo(*s, kind, label)) return true;
        bool found = false;
        forEachChildList(*s, [&](StmtList& child) { found = found || hasJump(child, kind, label); });
        if (found) return true;
    }
    return false;
}

int countJumps(const StmtList& list, int label) {
    int count = 0;
    for (const StmtPtr& s : list) {
        if ((s->kind == StmtKind::Break || s->kind == StmtKind::Continue) && s->target == label) ++count;
        forEachChildList(*s, [&](StmtList& child) { count += countJumps(child, label); });
    }
    return count;
}

void retarget(StmtList& list, StmtKind kind, int label, StmtKind newKind, int newLabel) {
    for (StmtPtr& s : list) {
        if (isJumpTo(*s, kind, label)) {
            s->kind = newKind;
            s->target = newLabel;
        }
        forEachChildList(*s, [&](StmtList& child) { retarget(child, kind, label, newKind, newLabel); });
    }
}

namespace {

// A break naming `label` that leaves `list`'s statement (not counting breaks
// that name constructs inside it).
bool breaksOut(const Stmt& s) {
    if (s.label == 0) return false;
    StmtList body = s.body;
    for (const SwitchArm& arm : s.arms) body.insert(body.end(), arm.body.begin(), arm.body.end());
    return hasJump(body, StmtKind::Break, s.label);
}

bool isTrue(const Expr* e) {
    return !e || (e->kind == ExprKind::Literal && e->type.base == 'Z' && e->literal.integer == 1);
}

}  // namespace

bool canComplete(const StmtList& list) {
    for (const StmtPtr& s : list) {
        if (!canComplete(*s)) return false;
    }
    return true;
}

bool canComplete(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Return: case StmtKind::Throw: case StmtKind::Break: case StmtKind::Continue: return false;
    case StmtKind::Assert: case StmtKind::LocalClass: return true;
    case StmtKind::If: return s.elseBody.empty() || canComplete(s.body) || canComplete(s.elseBody);
    case StmtKind::Block: return canComplete(s.body) || breaksOut(s);
    case StmtKind::Loop:
        if (s.loop == LoopKind::Infinite || (s.loop == LoopKind::For && isTrue(s.expr.get()))) return breaksOut(s);
        return true;
    case StmtKind::Switch: {
        bool hasDefault = false;
        for (const SwitchArm& arm : s.arms) hasDefault |= arm.isDefault;
        if (!hasDefault || s.arms.empty() || canComplete(s.arms.back().body)) return true;
        return breaksOut(s);
    }
    case StmtKind::Try: {
        if (!s.finallyBody.empty() && !canComplete(s.finallyBody)) return false;
        bool any = canComplete(s.body);
        for (const CatchClause& c : s.catches) any = any || canComplete(c.body);
        return any;
    }
    case StmtKind::Synchronized: return canComplete(s.body);
    default: return true;
    }
}

}  // namespace jad::body
