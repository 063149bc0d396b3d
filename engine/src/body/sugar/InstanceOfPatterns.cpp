#include "body/sugar/InstanceOfPatterns.h"

#include <algorithm>

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
    // a cast standing for a record pattern goes with its bindings, or stays to stop the printer
    if (cast.kind != ExprKind::Cast || cast.pattern || !cast.type.isReference() || !sameType(cast.type, bound->type))
        return nullptr;
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

void bindingsOf(const RecordPattern& pattern, std::vector<const RecordPattern::Part*>& out) {
    for (const RecordPattern::Part& part : pattern.parts) {
        if (part.nested) bindingsOf(*part.nested, out);
        else out.push_back(&part);
    }
}

// `r = v` declaring `r` alone: r, else null.
const Var* declaredStore(const Stmt& s) {
    if (s.kind != StmtKind::Expr || s.label || s.declare.size() != 1 || s.expr->kind != ExprKind::Assign) return nullptr;
    const Expr& target = *s.expr->args[0];
    if (target.kind != ExprKind::Local || target.var != s.declare[0]) return nullptr;
    return target.var.get();
}

// `b = v` declaring nothing, b one of `declared` (a for loop's, whose
// update reads it): b, else null.
const Var* loopStore(const Stmt& s, const std::vector<const Var*>& declared) {
    if (s.kind != StmtKind::Expr || s.label || !s.declare.empty() || s.expr->kind != ExprKind::Assign) return nullptr;
    const Expr& target = *s.expr->args[0];
    if (target.kind != ExprKind::Local) return nullptr;
    return std::count(declared.begin(), declared.end(), target.var.get()) ? target.var.get() : nullptr;
}

// `R r = (R) x` standing for a record pattern (the record-patterns fold
// made it), then one store per binding, each declaring its binding with the
// type the pattern gives it (or declared with the loop, `loop`): the
// statements that make up `x instanceof R(...)`, else 0.
size_t recordMatch(const StmtList& list, size_t at, const Expr& test, std::vector<const Var*>& loop) {
    const Var* record = declaredStore(*list[at]);
    if (!record) return 0;
    const Expr& cast = *list[at]->expr->args[1];
    if (cast.kind != ExprKind::Cast || !cast.pattern) return 0;
    const Expr& tested = *test.args[0];
    const Expr& operand = *cast.args[0];
    if (tested.kind != ExprKind::Local || operand.kind != ExprKind::Local || tested.var != operand.var) return 0;
    if (cast.pattern->recordClass != test.owner) return 0;
    std::vector<const RecordPattern::Part*> parts;
    bindingsOf(*cast.pattern, parts);
    if (list.size() - at - 1 < parts.size()) return 0;
    std::vector<const Var*> fromLoop;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Stmt& s = *list[at + 1 + i];
        const Var* bound = declaredStore(s);
        if (!bound && (bound = loopStore(s, loop))) fromLoop.push_back(bound);
        auto part = std::find_if(parts.begin(), parts.end(),
                                 [&](const RecordPattern::Part* p) { return p && p->binding.get() == bound; });
        if (!bound || part == parts.end() || !sameType(bound->type, (*part)->type)) return 0;
        // the pattern's bindings are all read from the record's temporary
        if (!readsVar(*s.expr->args[1], *record)) return 0;
        *part = nullptr;
    }
    loop = std::move(fromLoop);
    return parts.size() + 1;
}

// The InstanceOf among the terms of `condition` that is known to hold when
// the condition is `whenTrue`, and that matches the statements at `at`:
// bound there (a record pattern only, unless `typePatterns`). How many
// statements the pattern took (0: none); `loop` left holding the bindings
// the loop declared.
size_t bindIn(ExprPtr& condition, bool whenTrue, const StmtList& list, size_t at, std::vector<const Var*>& loop,
              bool typePatterns) {
    std::vector<ExprPtr*> parts;
    terms(condition, whenTrue ? "&&" : "||", parts, condition);
    const Stmt& store = *list[at];
    for (size_t i = 0; i < parts.size(); ++i) {
        ExprPtr test = *parts[i];
        if (!whenTrue) {
            if (test->kind != ExprKind::Unary || test->op != "!") continue;
            test = test->args[0];
        }
        if (test->kind != ExprKind::InstanceOf || test->var || test->pattern) continue;
        std::vector<const Var*> declared = loop;
        const size_t record = recordMatch(list, at, *test, declared);
        Var* bound = record || !typePatterns ? nullptr : matchStore(store, *test);
        if (!bound && !record) continue;
        const Var& tested = *test->args[0]->var;
        for (size_t j = i + 1; j < parts.size(); ++j) {
            if (writesLocal(*parts[j], tested)) return 0;
        }
        loop.clear();
        if (record) {
            test->pattern = store.expr->args[1]->pattern;
            loop = std::move(declared);
            return record;
        }
        test->var = store.declare[0];
        return 1;
    }
    return 0;
}

bool readsAny(StmtList& list, size_t from, const Var& var) {
    bool reads = false;
    for (size_t i = from; i < list.size() && !reads; ++i) {
        StmtList one{list[i]};
        visitAllExprs(one, [&](ExprPtr& e) { reads = reads || (e->kind == ExprKind::Local && e->var.get() == &var); });
    }
    return reads;
}

// The locals declared with a for loop whose update reads them, and nothing
// after the loop or in its init: the condition's bindings may be among them
// (its bindings reach the update).
std::vector<const Var*> loopDeclared(StmtList& list, size_t at) {
    Stmt& loop = *list[at];
    std::vector<const Var*> out;
    if (loop.kind != StmtKind::Loop || loop.loop != LoopKind::For || loop.declare.empty() || loop.body.empty()) return out;
    // only where a record pattern's statements start the body
    const Stmt& head = *loop.body[0];
    if (head.kind != StmtKind::Expr || head.expr->kind != ExprKind::Assign || !head.expr->args[1]->pattern) return out;
    for (const VarPtr& v : loop.declare) {
        if (!readsAny(list, at + 1, *v) && !readsAny(loop.init, 0, *v)) out.push_back(v.get());
    }
    return out;
}

// `if (x instanceof R(...)) { if (c) S }` without else: javac's code for
// `if (x instanceof R(...) && c) S`, the test's bindings in scope in c.
void joinInnerIf(Stmt& s) {
    if (s.kind != StmtKind::If || !s.elseBody.empty() || s.body.size() != 1) return;
    const Stmt& inner = *s.body[0];
    if (inner.kind != StmtKind::If || !inner.elseBody.empty() || inner.label || !inner.declare.empty() || !inner.expr)
        return;
    s.expr = makeBinary("&&", s.expr, inner.expr, booleanType());
    s.body = StmtList(inner.body);
}

void foldList(StmtList& list) {
    for (size_t i = 0; i < list.size(); ++i) {
        Stmt& s = *list[i];
        // a for loop's condition binds in its update too (a record pattern's, here)
        const bool guarded = s.kind == StmtKind::If ||
                             (s.kind == StmtKind::Loop && (s.loop == LoopKind::While || s.loop == LoopKind::For));
        if (!guarded || !s.expr) continue;
        // the test guards the branch: `if (x instanceof T t) { ... }`
        std::vector<const Var*> loop = loopDeclared(list, i);
        const bool forLoop = s.kind == StmtKind::Loop && s.loop == LoopKind::For;
        if (!s.body.empty()) {
            if (const size_t taken = bindIn(s.expr, true, s.body, 0, loop, !forLoop)) {
                s.body.erase(s.body.begin(), s.body.begin() + static_cast<long>(taken));
                s.declare.erase(std::remove_if(s.declare.begin(), s.declare.end(),
                                               [&](const VarPtr& v) { return std::count(loop.begin(), loop.end(), v.get()); }),
                                s.declare.end());
                if (taken > 1) joinInnerIf(s);
                continue;
            }
        }
        // the branch leaves when it fails: `if (!(x instanceof T t)) return;`
        std::vector<const Var*> none;
        if (s.kind == StmtKind::If && s.elseBody.empty() && i + 1 < list.size() && !canComplete(s.body) && !s.label) {
            if (const size_t taken = bindIn(s.expr, false, list, i + 1, none, true)) {
                list.erase(list.begin() + static_cast<long>(i + 1), list.begin() + static_cast<long>(i + 1 + taken));
            }
        }
    }
}

}  // namespace

void foldInstanceOfPatterns(StmtList& body) { visitLists(body, foldList); }

}  // namespace jad::body
