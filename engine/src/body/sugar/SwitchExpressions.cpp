#include "body/sugar/SwitchExpressions.h"

#include <map>
#include <utility>
#include <vector>

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

bool isRead(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

bool hasDefault(const Stmt& s) {
    if (s.exhaustive) return true;
    for (const SwitchArm& arm : s.arms) {
        if (arm.isDefault) return true;
    }
    return false;
}

// What one switch and the switches nested in its arms give: how often the
// temporary is assigned, whether every arm leaves (no fall-through), and
// the nested switches that become switch expressions of their own.
struct Fold {
    const Var* tmp = nullptr;
    int produced = 0;
    bool arrows = true;
    std::vector<std::pair<StmtList*, size_t>> inner;
};

// The temporary the first arm that leaves with a value assigns last: an
// arm falling into the next one may end with any assignment.
const Var* valueTemp(const Stmt& sw) {
    for (size_t i = 0; i < sw.arms.size(); ++i) {
        const StmtList& body = sw.arms[i].body;
        size_t end = body.size();
        const bool leaves = end > 0 && body[end - 1]->kind == StmtKind::Break;
        if (leaves) --end;
        if (end == 0 || (!leaves && i + 1 < sw.arms.size())) continue;
        const Stmt& s = *body[end - 1];
        if (s.kind == StmtKind::Expr && s.expr->kind == ExprKind::Assign && s.expr->args[0]->kind == ExprKind::Local) {
            return s.expr->args[0]->var.get();
        }
        if (s.kind == StmtKind::Switch) {
            if (const Var* v = valueTemp(s)) return v;
        }
    }
    return nullptr;
}

void collectLabels(StmtList& list, std::set<int>& labels) {
    visitLists(list, [&](StmtList& l) {
        for (const StmtPtr& s : l) {
            if (s->label) labels.insert(s->label);
        }
    });
}

// The first `count` statements of an arm leave it only by their end, by
// throwing, or by giving the value and leaving the switch (a `yield` where
// it stands): a switch expression cannot return, or jump out of itself. A
// printed label is refused too, as the arm is printed on its own.
bool staysInside(StmtList& body, size_t count, Fold& f, const std::set<int>& exits) {
    StmtList head(body.begin(), body.begin() + static_cast<long>(count));
    std::set<int> own;
    collectLabels(head, own);
    bool ok = true;
    visitLists(head, [&](StmtList& l) {
        for (size_t i = 0; i < l.size(); ++i) {
            const Stmt& s = *l[i];
            const bool jump = s.kind == StmtKind::Break || s.kind == StmtKind::Continue;
            if (jump && own.count(s.target) && !s.explicitLabel) continue;
            if (s.kind == StmtKind::Break && exits.count(s.target) && i > 0 && yieldedValue(*l[i - 1], f.tmp)) {
                ++f.produced;
                continue;
            }
            if (jump || s.kind == StmtKind::Return || s.explicitLabel) ok = false;
        }
    });
    return ok;
}

bool endsArm(StmtList& body, Fold& f, bool fallsOut, const std::set<int>& exits);

// body[at] gives the value: it assigns the temporary, or it is a switch
// whose every arm does (a switch expression yielding another). `fallsOut`:
// what follows it leaves the switch the value is for.
bool gives(StmtList& body, size_t at, Fold& f, std::set<int> exits, bool fallsOut = true) {
    Stmt& s = *body[at];
    if (yieldedValue(s, f.tmp)) {
        ++f.produced;
        return true;
    }
    if (s.kind != StmtKind::Switch || !s.expr || readsVar(*s.expr, *f.tmp) || !hasDefault(s)) return false;
    if (s.label && fallsOut) exits.insert(s.label);
    const bool outerArrows = f.arrows;
    f.arrows = true;
    for (size_t i = 0; i < s.arms.size(); ++i) {
        if (!endsArm(s.arms[i].body, f, fallsOut && i + 1 == s.arms.size(), exits)) return false;
    }
    if (!f.arrows) return false;
    f.arrows = outerArrows;
    f.inner.emplace_back(&body, at);
    return true;
}

// An arm ends by throwing, by giving the value and leaving the switch, or
// by falling into the next arm (then only labels with `yield` can say it).
// `fallsOut`: the end of the arm is the end of the switch.
bool endsArm(StmtList& body, Fold& f, bool fallsOut, const std::set<int>& exits) {
    if (body.empty()) return false;
    const size_t n = body.size();
    const Stmt& last = *body[n - 1];
    if (last.kind == StmtKind::Throw) return staysInside(body, n, f, exits);
    if (last.kind == StmtKind::Break && exits.count(last.target)) {
        return n >= 2 && staysInside(body, n - 2, f, exits) && gives(body, n - 2, f, exits);
    }
    if (fallsOut) return staysInside(body, n - 1, f, exits) && gives(body, n - 1, f, exits);
    // javac jumps from a nested switch expression's arms straight out
    if (last.kind == StmtKind::Switch) {
        Fold nested = f;
        if (staysInside(body, n - 1, f, exits) && gives(body, n - 1, nested, exits, false)) {
            f = std::move(nested);
            return true;
        }
    }
    f.arrows = false;
    return staysInside(body, n, f, exits);
}

// Locals declared somewhere under `list`.
void declaredIn(StmtList& list, std::vector<VarPtr>& out) {
    visitLists(list, [&](StmtList& l) {
        for (const StmtPtr& s : l) {
            out.insert(out.end(), s->declare.begin(), s->declare.end());
            if (s->each) out.push_back(s->each);
            for (const CatchClause& c : s->catches) {
                if (c.var) out.push_back(c.var);
            }
        }
    });
}

// Arrow cases scope their locals one arm each; labels share one scope.
bool armsShareLocals(Stmt& sw) {
    std::map<const Var*, size_t> home;
    for (size_t i = 0; i < sw.arms.size(); ++i) {
        std::vector<VarPtr> vars;
        declaredIn(sw.arms[i].body, vars);
        for (const VarPtr& v : vars) home.emplace(v.get(), i);
    }
    bool shared = false;
    for (size_t i = 0; i < sw.arms.size(); ++i) {
        visitAllExprs(sw.arms[i].body, [&](ExprPtr& e) {
            if (e->kind != ExprKind::Local) return;
            auto at = home.find(e->var.get());
            if (at != home.end() && at->second != i) shared = true;
        });
    }
    return shared;
}

// Values the switch cannot affect and whose evaluation has no effect: read
// before the switch instead of after it, they mean the same.
bool inert(const Expr& e, const std::set<const Var*>& written) {
    switch (e.kind) {
    case ExprKind::Literal: case ExprKind::Null: case ExprKind::This: case ExprKind::ClassLiteral: return true;
    case ExprKind::Local: return !written.count(e.var.get());
    case ExprKind::Binary:
        if (e.op == "/" || e.op == "%") return false;
        break;
    case ExprKind::Cast:
        if (e.type.dimensions != 0 || e.type.base == 'L') return false;
        break;
    case ExprKind::Unary: case ExprKind::Compare: break;
    default: return false;
    }
    for (const ExprPtr& arg : e.args) {
        if (!inert(*arg, written)) return false;
    }
    return true;
}

bool inertTarget(const Expr& target, const std::set<const Var*>& written) {
    switch (target.kind) {
    case ExprKind::Local: return true;
    case ExprKind::Field: return target.isStatic || inert(*target.args[0], written);
    case ExprKind::ArrayElement: return inert(*target.args[0], written) && inert(*target.args[1], written);
    default: return false;
    }
}

// The slot where `e` reads the temporary, when it is evaluated every time
// `e` is and only inert values are evaluated before it; null otherwise.
ExprPtr* slotIn(ExprPtr& e, const Var* tmp, const std::set<const Var*>& written) {
    if (isRead(*e, tmp)) return &e;
    if (e->kind == ExprKind::Lambda || e->kind == ExprKind::Switch) return nullptr;
    const bool store = e->kind == ExprKind::Assign;
    for (size_t k = 0; k < e->args.size(); ++k) {
        ExprPtr& arg = e->args[k];
        if (readsVar(*arg, *tmp)) {
            const bool conditional = (e->kind == ExprKind::Conditional && k > 0) ||
                                     (e->kind == ExprKind::Binary && k == 1 && (e->op == "&&" || e->op == "||"));
            return conditional ? nullptr : slotIn(arg, tmp, written);
        }
        if (store && k == 0 ? !inertTarget(*arg, written) : !inert(*arg, written)) return nullptr;
    }
    return nullptr;
}

bool takesValue(StmtKind kind) {
    switch (kind) {
    case StmtKind::Expr: case StmtKind::Return: case StmtKind::Throw: case StmtKind::If: case StmtKind::Switch:
    case StmtKind::Synchronized:
        return true;
    default: return false;
    }
}

int countReads(StmtList& body, const Var* var) {
    int refs = 0;
    visitAllExprs(body, [&](ExprPtr& e) { refs += isRead(*e, var); });
    return refs;
}

void patternBindings(const RecordPattern& pattern, std::vector<VarPtr>& out) {
    for (const RecordPattern::Part& part : pattern.parts) {
        if (part.nested) patternBindings(*part.nested, out);
        else out.push_back(part.binding);
    }
}

// The variables a pattern label declares.
void labelBindings(const SwitchArm& arm, std::vector<VarPtr>& out) {
    for (const ExprPtr& label : arm.labels) {
        if (label->kind == ExprKind::Local) out.push_back(label->var);
        if (label->kind == ExprKind::Cast && label->pattern) patternBindings(*label->pattern, out);
    }
}

// The next statement's declaration now encloses the arms: an arm's local of
// the same name takes a fresh one.
void renameClashes(Stmt& sw, const Stmt& next, std::set<std::string>& localNames) {
    std::set<std::string> outer;
    for (const VarPtr& v : next.declare) outer.insert(v->name);
    if (outer.empty()) return;
    std::vector<VarPtr> vars;
    for (SwitchArm& arm : sw.arms) {
        declaredIn(arm.body, vars);
        labelBindings(arm, vars);
    }
    for (const VarPtr& v : vars) {
        if (!outer.count(v->name)) continue;
        for (int n = 2;; ++n) {
            std::string name = v->name + std::to_string(n);
            if (localNames.count(name) || outer.count(name)) continue;
            localNames.insert(name);
            v->name = std::move(name);
            break;
        }
    }
}

ExprPtr switchValue(const StmtPtr& sw, const VarPtr& tmp, bool arrows) {
    ExprPtr value = makeExpr(ExprKind::Switch, tmp->type);
    value->var = tmp;
    value->block = sw;
    value->op = arrows ? "->" : ":";
    return value;
}

// A nested switch giving an arm's value becomes `tmp = switch ...;`.
void foldInner(StmtList& list, size_t at, const VarPtr& tmp) {
    StmtPtr sw = list[at];
    auto assign = makeExpr(ExprKind::Assign, tmp->type);
    assign->args = {makeLocal(tmp), switchValue(sw, tmp, true)};
    StmtPtr s = makeStmt(StmtKind::Expr, assign);
    s->declare = std::move(sw->declare);
    sw->declare.clear();
    list[at] = s;
}

bool foldAt(StmtList& body, StmtList& list, size_t i, std::set<std::string>& localNames) {
    Stmt& sw = *list[i];
    Stmt& next = *list[i + 1];
    if (sw.kind != StmtKind::Switch || !sw.expr || !hasDefault(sw) || !takesValue(next.kind) || !next.expr) return false;
    Fold f;
    f.tmp = valueTemp(sw);
    if (!f.tmp || f.tmp->kind != VarKind::Temp || sw.declare.size() != 1 || sw.declare[0].get() != f.tmp) return false;
    if (readsVar(*sw.expr, *f.tmp)) return false;
    std::set<int> exits;
    if (sw.label) exits.insert(sw.label);
    for (size_t k = 0; k < sw.arms.size(); ++k) {
        if (!endsArm(sw.arms[k].body, f, k + 1 == sw.arms.size(), exits)) return false;
    }
    for (auto& [innerList, at] : f.inner) {
        if (armsShareLocals(*(*innerList)[at])) return false;
    }
    if (countReads(body, f.tmp) != f.produced + 1) return false;
    std::set<const Var*> written;
    for (SwitchArm& arm : sw.arms) {
        visitAllExprs(arm.body, [&](ExprPtr& e) {
            if (Var* v = assignedVar(*e)) written.insert(v);
        });
    }
    ExprPtr* slot = slotIn(next.expr, f.tmp, written);
    if (!slot) return false;
    const bool arrows = f.arrows && !armsShareLocals(sw);
    renameClashes(sw, next, localNames);
    const VarPtr tmp = sw.declare[0];
    for (auto& [innerList, at] : f.inner) foldInner(*innerList, at, tmp);
    sw.declare.clear();
    *slot = switchValue(list[i], tmp, arrows);
    list.erase(list.begin() + static_cast<long>(i));
    return true;
}

}  // namespace

const Expr* yieldedValue(const Stmt& s, const Var* tmp) {
    if (s.kind != StmtKind::Expr || !s.expr || s.expr->kind != ExprKind::Assign) return nullptr;
    return isRead(*s.expr->args[0], tmp) ? s.expr->args[1].get() : nullptr;
}

void foldSwitchExpressions(StmtList& body, std::set<std::string>& localNames) {
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i + 1 < list.size(); ++i) {
            // the folded switch may give the next statement's value too
            while (i + 1 < list.size() && foldAt(body, list, i, localNames)) {
            }
        }
    });
}

}  // namespace jad::body
