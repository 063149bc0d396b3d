#include "body/synthetic/ReceiverChecks.h"

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

constexpr int kInvokeVirtual = 5, kInvokeInterface = 9;

bool isConstructorCall(const Stmt& s) {
    return s.kind == StmtKind::Expr && s.expr->kind == ExprKind::Invoke && s.expr->name == "<init>" &&
           !s.expr->args.empty() && s.expr->args[0]->kind == ExprKind::This;
}

bool isBoundReference(const Expr& e) {
    if (e.kind != ExprKind::Lambda || !e.lambda || e.args.size() != 1) return false;
    const int kind = e.lambda->implKind;
    return (kind == kInvokeVirtual || kind == kInvokeInterface) && e.args[0]->kind != ExprKind::This &&
           e.lambda->receiverCheck.empty();
}

// Values whose evaluation has no effect at all, so that a check moved past
// them still runs in the same order relative to everything observable.
bool isInert(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal: case ExprKind::Null: case ExprKind::This: case ExprKind::Local:
    case ExprKind::Uninitialized:
        return true;
    default: return false;
    }
}

// What the constructor call evaluates first, in order, before anything with
// an effect: bound method references (whose checks may move into them) and
// reads of temporaries.
struct Leading {
    std::vector<ExprPtr*> references;
    std::vector<ExprPtr*> temps;
    bool stopped = false;
};

void leadingValues(ExprPtr& e, Leading& out) {
    if (out.stopped) return;
    if (isBoundReference(*e)) {
        if (!isInert(*e->args[0])) {
            out.stopped = true;
            return;
        }
        out.references.push_back(&e);
        return;
    }
    if (e->kind == ExprKind::Local && e->var && e->var->kind == VarKind::Temp) out.temps.push_back(&e);
    for (ExprPtr& child : e->args) leadingValues(child, out);
    // the constructor call itself is reached last
    if (!out.stopped && !isInert(*e) && !(e->kind == ExprKind::Invoke && e->name == "<init>")) out.stopped = true;
}

ExprPtr withCheck(const ExprPtr& reference, const std::string& check) {
    auto copy = std::make_shared<Expr>(*reference);
    copy->lambda = std::make_shared<LambdaSite>(*reference->lambda);
    copy->lambda->receiverCheck = check;
    return copy;
}

// Its store counts as one.
size_t occurrences(StmtList& body, const Var* var) {
    size_t n = 0;
    visitAllExprs(body, [&](ExprPtr& e) { n += e->kind == ExprKind::Local && e->var.get() == var; });
    return n;
}

// `temp = x::m` (javac's check for it just before): a reference made while
// the stack held another, stored aside to keep the order of evaluation.
bool isStoredReference(const Stmt& s) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return false;
    const Expr& target = *s.expr->args[0];
    const Expr& value = *s.expr->args[1];
    return target.kind == ExprKind::Local && target.var && target.var->kind == VarKind::Temp && isBoundReference(value) &&
           isInert(*value.args[0]);
}

// What comes before a constructor call: references stored aside, each after
// its check (none for an outer instance), then the checks of references the
// call makes itself.
struct Prefix {
    std::vector<std::pair<const Var*, ExprPtr>> stored;
    std::vector<std::pair<const Expr*, std::string>> checks;
    std::vector<bool> folded;
};

// False when the prefix holds anything else but statements that stay where
// they are.
bool readPrefix(const StmtList& body, size_t call, const std::function<bool(const Stmt&)>& stays, Prefix& out) {
    out.folded.assign(call, false);
    for (size_t i = 0; i < call; ++i) {
        std::string check;
        if (const Expr* value = receiverCheckedValue(*body[i], check)) {
            out.checks.emplace_back(value, check);
            out.folded[i] = true;
            continue;
        }
        if (isStoredReference(*body[i])) {
            const Expr& assign = *body[i]->expr;
            if (out.checks.size() > 1) return false;
            if (out.checks.size() == 1 && !samePure(*out.checks[0].first, *assign.args[1]->args[0])) return false;
            out.stored.emplace_back(assign.args[0]->var.get(), out.checks.empty()
                                                                   ? assign.args[1]
                                                                   : withCheck(assign.args[1], out.checks[0].second));
            out.checks.clear();
            out.folded[i] = true;
            continue;
        }
        if (!stays(*body[i])) return false;
    }
    return true;
}

}  // namespace

void foldReceiverChecksIntoConstructorCall(StmtList& body, const std::function<bool(const Stmt&)>& stays) {
    size_t call = 0;
    while (call < body.size() && !isConstructorCall(*body[call])) ++call;
    if (call == 0 || call == body.size()) return;
    Prefix prefix;
    if (!readPrefix(body, call, stays, prefix)) return;
    const auto& stored = prefix.stored;
    const auto& checks = prefix.checks;
    const auto& folded = prefix.folded;
    Leading leading;
    leadingValues(body[call]->expr, leading);
    // Each check belongs to a reference with the same receiver made after
    // the one before's; the references javac does not check (an outer
    // instance) lie between. Every value involved is inert, so pairing
    // from the last check backwards keeps the order of all that is seen.
    std::vector<ExprPtr*> owners(checks.size(), nullptr);
    size_t next = leading.references.size();
    for (size_t i = checks.size(); i-- > 0;) {
        while (next > 0 && !samePure(*checks[i].first, *(*leading.references[next - 1])->args[0])) --next;
        if (next == 0) return;
        owners[i] = leading.references[--next];
    }
    // Each reference stored aside is read once, by the call, before the
    // references it makes itself.
    std::vector<ExprPtr*> slots;
    for (const auto& [var, reference] : stored) {
        ExprPtr* slot = nullptr;
        for (ExprPtr* t : leading.temps) {
            if ((*t)->var.get() == var) slot = t;
        }
        if (!slot || occurrences(body, var) != 2) return;
        slots.push_back(slot);
    }
    for (size_t i = 0; i < stored.size(); ++i) *slots[i] = stored[i].second;
    for (size_t i = 0; i < checks.size(); ++i) *owners[i] = withCheck(*owners[i], checks[i].second);
    StmtList kept;
    for (size_t i = 0; i < body.size(); ++i) {
        if (i >= call || !folded[i]) kept.push_back(body[i]);
    }
    body.swap(kept);
}

const Expr* receiverCheckedValue(const Stmt& s, std::string& check) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Invoke || s.expr->args.size() != 1) return nullptr;
    const Expr& call = *s.expr;
    if (call.isStatic && call.owner == "java/util/Objects" && call.name == "requireNonNull" &&
        call.descriptor == "(Ljava/lang/Object;)Ljava/lang/Object;") {
        check = "requireNonNull";
    } else if (!call.isStatic && call.name == "getClass" && call.descriptor == "()Ljava/lang/Class;") {
        check = "getClass";
    } else {
        return nullptr;
    }
    return call.args[0].get();
}

}  // namespace jad::body
