#include "body/structure/Inline.h"

#include "body/ir/Walk.h"

namespace jad::body {

bool isSimpleLvalue(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Local: return e.var->kind != VarKind::Temp;
    case ExprKind::Field: return e.isStatic || isTrivial(*e.args[0]) || isOuterInstanceChain(*e.args[0]);
    case ExprKind::ArrayElement: return isTrivial(*e.args[0]) && isTrivial(*e.args[1]);
    default: return false;
    }
}

namespace {

// `t = E` where t is a temporary.
Var* tempAssigned(const Stmt& s, ExprPtr** value = nullptr) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return nullptr;
    const Expr& target = *s.expr->args[0];
    if (target.kind != ExprKind::Local || target.var->kind != VarKind::Temp) return nullptr;
    if (value) *value = &s.expr->args[1];
    return target.var.get();
}

bool isLocalOf(const Expr& e, const Var* v) { return e.kind == ExprKind::Local && e.var.get() == v; }

// Whether evaluating `e` before `moved` could see a different result or
// order of effects than evaluating it after.
bool safeBefore(const Expr& e, const Expr& moved) {
    switch (e.kind) {
    case ExprKind::Literal: case ExprKind::Null: case ExprKind::This: case ExprKind::ClassLiteral: return true;
    case ExprKind::Local: return !writesVar(moved, *e.var);
    case ExprKind::Binary: case ExprKind::Unary: case ExprKind::Cast:
        if (e.op == "/" || e.op == "%") return false;
        for (const ExprPtr& c : e.args) {
            if (!safeBefore(*c, moved)) return false;
        }
        return true;
    default: return false;
    }
}

struct Finder {
    const Var* temp;
    const ExprPtr& value;
    bool blocked = false;
    bool found = false;

    // Visits in evaluation order; replaces the read of `temp` when allowed.
    void visit(ExprPtr& e, bool conditional) {
        if (found || blocked) return;
        if (isLocalOf(*e, temp)) {
            if (conditional && !isTrivial(*value)) {
                blocked = true;
                return;
            }
            e = value;
            found = true;
            return;
        }
        const bool isAssign = e->kind == ExprKind::Assign;
        for (size_t i = 0; i < e->args.size() && !found && !blocked; ++i) {
            ExprPtr& child = e->args[i];
            const bool lazy = (e->kind == ExprKind::Binary && (e->op == "&&" || e->op == "||") && i > 0) ||
                              (e->kind == ExprKind::Conditional && i > 0);
            if (isAssign && i == 0 && child->kind == ExprKind::Local) continue;  // a target is not a read
            if (isAssign && i == 0 && !contains(*child)) {
                // a field or element target evaluates its parts first and stores last
                for (const ExprPtr& part : child->args) {
                    if (!safeBefore(*part, *value)) blocked = true;
                }
                continue;
            }
            if (!contains(*child)) {
                if (!safeBefore(*child, *value)) blocked = true;
                continue;
            }
            visit(child, conditional || lazy);
        }
    }

    bool contains(const Expr& e) const { return readsVar(e, *temp); }
};

bool substitute(ExprPtr& into, const Var* temp, const ExprPtr& value) {
    Finder finder{temp, value};
    finder.visit(into, false);
    return finder.found;
}

// The expression slot of the statement after position i that is evaluated
// first, or null.
ExprPtr* nextSlot(StmtList& stmts, size_t i, ExprPtr* exit) {
    if (i + 1 < stmts.size()) {
        Stmt& next = *stmts[i + 1];
        switch (next.kind) {
        case StmtKind::Expr: case StmtKind::Return: case StmtKind::Throw: case StmtKind::Monitor:
        case StmtKind::If: case StmtKind::Switch:
            return next.expr ? &next.expr : nullptr;
        default: return nullptr;
        }
    }
    return exit && *exit ? exit : nullptr;
}

bool isStatementExpression(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Invoke: case ExprKind::New: case ExprKind::Assign: case ExprKind::CompoundAssign:
    case ExprKind::PreIncrement: case ExprKind::PostIncrement: return true;
    default: return false;
    }
}

// `X = t op 1` or `X = (T)(t op 1)` with X of type T.
bool isStepOf(const Expr& assigned, const Var* temp, const Expr& target, std::string& op) {
    const Expr* e = &assigned;
    if (e->kind == ExprKind::Cast && sameType(e->type, target.type)) e = e->args[0].get();
    if (e->kind != ExprKind::Binary || (e->op != "+" && e->op != "-")) return false;
    const Expr& step = *e->args[1];
    if (!isLocalOf(*e->args[0], temp) || step.kind != ExprKind::Literal || step.literal.integer != 1) return false;
    if (step.literal.tag != 'I' && step.literal.tag != 'J' ) {
        if (step.literal.real != 1.0) return false;
    }
    op = e->op + e->op;
    return true;
}

ExprPtr makeIncrement(ExprKind kind, const std::string& op, const ExprPtr& target) {
    auto e = makeExpr(kind, target->type);
    e->op = op;
    e->args = {target};
    return e;
}

// t = X; X = t + 1;  ->  t = X++;     t = X; X++;  ->  t = X++;
// t = X + v; X = t;  ->  t = (X += v) (++X for one);     t = v; X = t;  ->  t = (X = v)
bool foldIdiom(StmtList& stmts, size_t i) {
    ExprPtr* valueSlot = nullptr;
    Var* temp = tempAssigned(*stmts[i], &valueSlot);
    if (!temp || temp->defs != 1 || i + 1 >= stmts.size()) return false;
    Stmt& next = *stmts[i + 1];
    if (next.kind != StmtKind::Expr) return false;
    ExprPtr& value = *valueSlot;
    Expr& action = *next.expr;
    if (action.kind == ExprKind::PostIncrement && samePure(*action.args[0], *value) && isSimpleLvalue(*value)) {
        value = makeIncrement(ExprKind::PostIncrement, action.op, value);
        stmts.erase(stmts.begin() + static_cast<long>(i) + 1);
        return true;
    }
    if (action.kind != ExprKind::Assign || !isSimpleLvalue(*action.args[0])) return false;
    const ExprPtr target = action.args[0];
    if (readsVar(*target, *temp)) return false;
    std::string op;
    if (samePure(*target, *value) && isStepOf(*action.args[1], temp, *target, op)) {
        temp->uses -= 1;
        value = makeIncrement(ExprKind::PostIncrement, op, target);
        stmts.erase(stmts.begin() + static_cast<long>(i) + 1);
        return true;
    }
    if (!isLocalOf(*action.args[1], temp)) return false;
    temp->uses -= 1;
    ExprPtr assigned = makeExpr(ExprKind::Assign, target->type);
    assigned->args = {target, value};
    value = assigned;
    stmts.erase(stmts.begin() + static_cast<long>(i) + 1);
    return true;
}

// t = new T[n]; t[0] = a; t[1] = b; ...  ->  t = new T[]{a, b, ...}
bool foldArrayInit(StmtList& stmts, size_t i) {
    ExprPtr* valueSlot = nullptr;
    Var* temp = tempAssigned(*stmts[i], &valueSlot);
    if (!temp) return false;
    const Expr& array = **valueSlot;
    if (array.kind != ExprKind::NewArray || array.args.size() != 1 || array.args[0]->kind != ExprKind::Literal) return false;
    const int64_t size = array.args[0]->literal.integer;
    if (size <= 0 || size > 100000) return false;
    std::vector<ExprPtr> elements;
    size_t j = i + 1;
    for (; j < stmts.size() && static_cast<int64_t>(elements.size()) < size; ++j) {
        const Stmt& s = *stmts[j];
        if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) break;
        const Expr& target = *s.expr->args[0];
        if (target.kind != ExprKind::ArrayElement || !isLocalOf(*target.args[0], temp)) break;
        const Expr& index = *target.args[1];
        if (index.kind != ExprKind::Literal || index.literal.integer != static_cast<int64_t>(elements.size())) break;
        if (readsVar(*s.expr->args[1], *temp)) break;
        elements.push_back(s.expr->args[1]);
    }
    if (elements.empty() || static_cast<int64_t>(elements.size()) != size) return false;
    auto init = makeExpr(ExprKind::ArrayInit, array.type);
    init->args = std::move(elements);
    *valueSlot = init;
    temp->uses -= static_cast<int>(j - i - 1);
    stmts.erase(stmts.begin() + static_cast<long>(i) + 1, stmts.begin() + static_cast<long>(j));
    return true;
}

bool inlineAt(StmtList& stmts, size_t i, ExprPtr* exit) {
    ExprPtr* valueSlot = nullptr;
    Var* temp = tempAssigned(*stmts[i], &valueSlot);
    if (!temp || temp->defs != 1) return false;
    if (temp->uses == 0) {
        ExprPtr value = *valueSlot;
        if (isStatementExpression(*value)) stmts[i] = makeStmt(StmtKind::Expr, value);
        else if (cannotThrow(*value)) stmts.erase(stmts.begin() + static_cast<long>(i));
        else return false;
        temp->defs = 0;
        return true;
    }
    if (temp->uses != 1) return false;
    ExprPtr* slot = nextSlot(stmts, i, exit);
    if (!slot || !substitute(*slot, temp, *valueSlot)) return false;
    temp->defs = temp->uses = 0;
    stmts.erase(stmts.begin() + static_cast<long>(i));
    return true;
}

}  // namespace

bool foldTemps(StmtList& stmts, ExprPtr* exit, Budget& budget) {
    bool changed = false;
    for (size_t i = stmts.size(); i-- > 0;) {
        budget.spend();
        if (i >= stmts.size()) continue;
        bool step = foldArrayInit(stmts, i) || foldIdiom(stmts, i);
        step = inlineAt(stmts, i, exit) || step;
        if (step) {
            changed = true;
            i = std::min(stmts.size(), i + 2);  // the statement before may fold now too
        }
    }
    return changed;
}

}  // namespace jad::body
