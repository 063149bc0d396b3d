// Loop forms recovered from `while (true)` loops whose exits the structurer
// made explicit.
#include "body/flow/Flow.h"
#include "body/ir/Walk.h"
#include "body/structure/Tidy.h"

namespace jad::body {

namespace {

bool isOnlyJump(const StmtList& list, StmtKind kind, int label) {
    return list.size() == 1 && isJumpTo(*list[0], kind, label);
}

// while (true) { if (c) break; ... }  ->  while (!c) { ... }
bool leadingExit(Stmt& loop) {
    if (loop.body.empty() || loop.body[0]->kind != StmtKind::If) return false;
    Stmt& test = *loop.body[0];
    StmtList rest(loop.body.begin() + 1, loop.body.end());
    if (isOnlyJump(test.body, StmtKind::Break, loop.label)) {
        loop.expr = negate(test.expr);
        StmtList body = test.elseBody;
        body.insert(body.end(), rest.begin(), rest.end());
        loop.body = body;
    } else if (isOnlyJump(test.elseBody, StmtKind::Break, loop.label)) {
        loop.expr = test.expr;
        StmtList body = test.body;
        body.insert(body.end(), rest.begin(), rest.end());
        loop.body = body;
    } else {
        return false;
    }
    loop.loop = LoopKind::While;
    return true;
}

// while (true) { ...; if (c) break; }  ->  do { ... } while (!c);
bool trailingExit(Stmt& loop) {
    if (loop.body.empty() || loop.body.back()->kind != StmtKind::If) return false;
    Stmt& test = *loop.body.back();
    if (!test.elseBody.empty() || !isOnlyJump(test.body, StmtKind::Break, loop.label)) return false;
    StmtList body(loop.body.begin(), loop.body.end() - 1);
    if (hasJump(body, StmtKind::Continue, loop.label)) return false;
    loop.expr = negate(test.expr);
    loop.body = body;
    loop.loop = LoopKind::DoWhile;
    return true;
}

const Var* updatedVar(const Stmt& s) {
    if (s.kind != StmtKind::Expr) return nullptr;
    switch (s.expr->kind) {
    case ExprKind::Assign: case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
        return assignedVar(*s.expr);
    default: return nullptr;
    }
}

// if (c) { jump } else { rest }  ->  if (c) { jump } rest, so a loop's last
// statements are visible.
void flattenTail(StmtList& body) {
    for (int guard = 0; guard < 1000 && !body.empty(); ++guard) {
        Stmt& last = *body.back();
        if (last.kind != StmtKind::If || last.elseBody.empty() || !last.declare.empty()) return;
        if (canComplete(last.body) && !canComplete(last.elseBody)) {
            last.expr = negate(last.expr);
            last.body.swap(last.elseBody);
        }
        if (canComplete(last.body)) return;
        StmtList rest;
        rest.swap(last.elseBody);
        body.insert(body.end(), rest.begin(), rest.end());
    }
}

// while (c) { body; i++; }  ->  for (; c; i++) { body }
bool forLoop(Stmt& loop) {
    StmtList& body = loop.body;
    flattenTail(body);
    size_t first = body.size();
    while (first > 0) {
        const Var* v = updatedVar(*body[first - 1]);
        if (!v || !readsVar(*loop.expr, *v)) break;
        --first;
    }
    if (first == body.size()) return false;
    if (first == 0) return false;  // a loop of updates alone reads better as while
    StmtList update(body.begin() + static_cast<long>(first), body.end());
    StmtList rest(body.begin(), body.begin() + static_cast<long>(first));
    // continue-like breaks out of a block just before the update
    if (!rest.empty() && rest.back()->kind == StmtKind::Block && rest.back()->label) {
        StmtPtr block = rest.back();
        rest.pop_back();
        if (hasJump(rest, StmtKind::Continue, loop.label) || hasJump(block->body, StmtKind::Continue, loop.label)) return false;
        retarget(block->body, StmtKind::Break, block->label, StmtKind::Continue, loop.label);
        rest.insert(rest.end(), block->body.begin(), block->body.end());
    } else if (hasJump(rest, StmtKind::Continue, loop.label)) {
        return false;
    }
    loop.body = rest;
    loop.update = update;
    loop.loop = LoopKind::For;
    return true;
}

// i = 0; for (; i < n; i++)  ->  for (i = 0; i < n; i++)
void forInit(StmtList& list, size_t index) {
    Stmt& loop = *list[index];
    if (index == 0 || loop.update.empty() || !loop.init.empty()) return;
    const Stmt& prev = *list[index - 1];
    const Var* v = updatedVar(prev);
    if (!v || prev.expr->kind != ExprKind::Assign || updatedVar(*loop.update[0]) != v) return;
    loop.init.push_back(list[index - 1]);
    list.erase(list.begin() + static_cast<long>(index) - 1);
}

}  // namespace

bool recoverLoops(StmtList& body) {
    bool changed = false;
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            Stmt& s = *list[i];
            if (s.kind != StmtKind::Loop) continue;
            bool step = false;
            if (s.loop == LoopKind::Infinite) step = leadingExit(s) || trailingExit(s);
            if (s.loop == LoopKind::While) step = forLoop(s) || step;
            if (s.loop == LoopKind::For && s.init.empty()) {
                const size_t before = list.size();
                forInit(list, i);
                if (list.size() != before) {
                    --i;
                    step = true;
                }
            }
            changed |= step;
        }
    });
    return changed;
}

}  // namespace jad::body
