#include "body/Invariants.h"

#include <set>

#include "body/Walk.h"

namespace jad::body {

namespace {

bool g_enabled = false;

[[noreturn]] void fail(const char* pass, const std::string& what) {
    throw Unsupported{std::string("invariant broken after ") + pass + ": " + what};
}

void checkExpr(const Expr& e, const char* pass) {
    if (e.kind == ExprKind::Uninitialized) fail(pass, "uninitialized object in an expression");
    if ((e.kind == ExprKind::Local || e.kind == ExprKind::This) && !e.var) fail(pass, "local without a variable");
    for (const ExprPtr& c : e.args) {
        if (!c) fail(pass, "missing operand");
        checkExpr(*c, pass);
    }
}

struct TreeChecker {
    const char* pass;
    std::vector<int> open;  // labels of enclosing constructs
    std::set<int> seen;

    void list(const StmtList& l) {
        for (const StmtPtr& s : l) {
            if (!s) fail(pass, "null statement");
            stmt(*s);
        }
    }
    void stmt(const Stmt& s) {
        if (s.expr) checkExpr(*s.expr, pass);
        if ((s.kind == StmtKind::Break || s.kind == StmtKind::Continue) &&
            std::find(open.begin(), open.end(), s.target) == open.end()) {
            fail(pass, "jump to a label that does not enclose it");
        }
        const bool needsExpr = s.kind == StmtKind::If || s.kind == StmtKind::Switch || s.kind == StmtKind::Throw ||
                               s.kind == StmtKind::Synchronized || s.kind == StmtKind::Expr;
        if (needsExpr && !s.expr) fail(pass, "statement without its expression");
        if (s.label) {
            if (!seen.insert(s.label).second) fail(pass, "label used twice");
            open.push_back(s.label);
        }
        for (const StmtList* child : childLists(const_cast<Stmt&>(s))) list(*child);
        if (s.label) open.pop_back();
    }
};

}  // namespace

void enableInvariantChecks(bool on) { g_enabled = on; }

void checkBlocks(const Cfg& cfg, const char* pass) {
    if (!g_enabled) return;
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        if ((b.exit == BlockExit::Cond || b.exit == BlockExit::Switch) && !b.cond) fail(pass, "branch without a condition");
        if (b.exit == BlockExit::Cond && b.succ.size() != 2) fail(pass, "conditional block without two successors");
        if (b.exit == BlockExit::Goto && b.succ.size() != 1) fail(pass, "goto block without one successor");
        for (int s : b.succ) {
            if (s < 0 || static_cast<size_t>(s) >= cfg.blocks.size() || cfg.blocks[static_cast<size_t>(s)].removed) {
                fail(pass, "edge to a removed block");
            }
        }
        for (const StmtPtr& s : b.stmts) {
            if (s->expr) checkExpr(*s->expr, pass);
        }
        if (b.cond) checkExpr(*b.cond, pass);
    }
}

void checkTree(const StmtList& body, const char* pass) {
    if (!g_enabled) return;
    TreeChecker checker{pass, {}, {}};
    checker.list(body);
}

}  // namespace jad::body
