#include "body/flow/Invariants.h"

#include <set>

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

// Thrown out of the walks at the first problem, caught at the boundary.
struct Broken {
    std::string what;
};

[[noreturn]] void fail(const std::string& what) { throw Broken{what}; }

void checkExpr(const Expr& e) {
    if (e.kind == ExprKind::Uninitialized) fail("uninitialized object in an expression");
    if ((e.kind == ExprKind::Local || e.kind == ExprKind::This) && !e.var) fail("local without a variable");
    for (const ExprPtr& c : e.args) {
        if (!c) fail("missing operand");
        checkExpr(*c);
    }
}

struct TreeChecker {
    std::vector<int> open;  // labels of enclosing constructs
    std::set<int> seen;

    void list(const StmtList& l) {
        for (const StmtPtr& s : l) {
            if (!s) fail("null statement");
            stmt(*s);
        }
    }
    void stmt(const Stmt& s) {
        if (s.expr) checkExpr(*s.expr);
        if ((s.kind == StmtKind::Break || s.kind == StmtKind::Continue) &&
            std::find(open.begin(), open.end(), s.target) == open.end()) {
            fail("jump to a label that does not enclose it");
        }
        const bool needsExpr = s.kind == StmtKind::If || s.kind == StmtKind::Switch || s.kind == StmtKind::Throw ||
                               s.kind == StmtKind::Synchronized || s.kind == StmtKind::Expr;
        if (needsExpr && !s.expr) fail("statement without its expression");
        if (s.label) {
            if (!seen.insert(s.label).second) fail("label used twice");
            open.push_back(s.label);
        }
        for (const StmtList* child : childLists(const_cast<Stmt&>(s))) list(*child);
        if (s.label) open.pop_back();
    }
};

void checkEachBlock(const Cfg& cfg) {
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        if ((b.exit == BlockExit::Cond || b.exit == BlockExit::Switch) && !b.cond) fail("branch without a condition");
        if (b.exit == BlockExit::Cond && b.succ.size() != 2) fail("conditional block without two successors");
        if (b.exit == BlockExit::Goto && b.succ.size() != 1) fail("goto block without one successor");
        for (int s : b.succ) {
            if (s < 0 || static_cast<size_t>(s) >= cfg.blocks.size() || cfg.blocks[static_cast<size_t>(s)].removed) {
                fail("edge to a removed block");
            }
        }
        for (const StmtPtr& s : b.stmts) {
            if (s->expr) checkExpr(*s->expr);
        }
        if (b.cond) checkExpr(*b.cond);
    }
}

}  // namespace

std::optional<std::string> checkBlocks(const Cfg& cfg) {
    try {
        checkEachBlock(cfg);
    } catch (const Broken& broken) {
        return broken.what;
    }
    return std::nullopt;
}

std::optional<std::string> checkTree(const StmtList& body) {
    try {
        TreeChecker{}.list(body);
    } catch (const Broken& broken) {
        return broken.what;
    }
    return std::nullopt;
}

}  // namespace jad::body
