#include "body/structure/Simplify.h"

#include "body/ir/Walk.h"
#include "body/structure/Inline.h"

namespace jad::body {

namespace {

class Simplifier {
public:
    Simplifier(Cfg& cfg, std::vector<VarPtr>& vars, Budget& budget) : _cfg(cfg), _vars(vars), _budget(budget) {}

    void run() {
        _lists.reserve(_cfg.blocks.size());
        _exits.reserve(_cfg.blocks.size());
        recount();
        for (bool changed = true; changed;) {
            changed = false;
            for (Block& b : _cfg.blocks) {
                if (b.removed) continue;
                _budget.spend(b.stmts.size() + 1);
                changed |= foldTemps(b.stmts, &b.cond, _budget);
                changed |= mergeCondition(b) || collapseTernary(b) || mergeChain(b);
            }
            if (changed) {
                _cfg.recomputePreds();
                recount();
            }
        }
    }

private:
    Block& at(int id) { return _cfg.blocks[static_cast<size_t>(id)]; }

    void recount() {
        _lists.clear();
        _exits.clear();
        for (Block& b : _cfg.blocks) {
            if (b.removed) continue;
            _lists.push_back(&b.stmts);
            _exits.push_back(&b.cond);
        }
        countVarUses(_vars, _lists, _exits);
        _budget.spend(_lists.size());
    }

    // `other` may be folded into `owner`: entered only from it, in the same
    // protected ranges.
    bool absorbable(const Block& owner, const Block& other) const {
        return other.id != owner.id && other.id != _cfg.entry && !other.handlerEntry && other.preds.size() == 1 &&
               other.preds[0] == owner.id && other.handlers == owner.handlers;
    }

    bool conditionOnly(const Block& owner, const Block& b) const {
        return absorbable(owner, b) && b.exit == BlockExit::Cond && b.stmts.empty();
    }

    void remove(Block& b) {
        b.removed = true;
        b.stmts.clear();
        b.succ.clear();
    }

    // if (c1) goto T; B: if (c2) goto T else F   ->   if (c1 || c2) goto T else F, and friends.
    bool mergeCondition(Block& a) {
        if (a.exit != BlockExit::Cond) return false;
        const int t = a.succ[0], f = a.succ[1];
        if (t == f) return false;
        Block& fb = at(f);
        if (conditionOnly(a, fb)) {
            if (fb.succ[0] == t) return combine(a, fb, "||", a.cond, fb.cond, t, fb.succ[1]);
            if (fb.succ[1] == t) return combine(a, fb, "||", a.cond, negate(fb.cond), t, fb.succ[0]);
        }
        Block& tb = at(t);
        if (conditionOnly(a, tb)) {
            if (tb.succ[1] == f) return combine(a, tb, "&&", a.cond, tb.cond, tb.succ[0], f);
            if (tb.succ[0] == f) return combine(a, tb, "&&", a.cond, negate(tb.cond), tb.succ[1], f);
        }
        return false;
    }

    bool combine(Block& a, Block& gone, const char* op, ExprPtr left, ExprPtr right, int whenTrue, int whenFalse) {
        a.cond = makeBinary(op, std::move(left), std::move(right), booleanType());
        a.succ = {whenTrue, whenFalse};
        remove(gone);
        return true;
    }

    static Var* singleTempAssign(const Block& b, ExprPtr& value) {
        if (b.stmts.size() != 1 || b.stmts[0]->kind != StmtKind::Expr) return nullptr;
        const Expr& e = *b.stmts[0]->expr;
        if (e.kind != ExprKind::Assign || e.args[0]->kind != ExprKind::Local) return nullptr;
        if (e.args[0]->var->kind != VarKind::Temp) return nullptr;
        value = e.args[1];
        return e.args[0]->var.get();
    }

    static ExprPtr conditional(ExprPtr c, ExprPtr a, ExprPtr b) {
        JavaType type = a->type;
        if (a->kind == ExprKind::Null) type = b->type;
        auto e = makeExpr(ExprKind::Conditional, type);
        e->args = {std::move(c), std::move(a), std::move(b)};
        return e;
    }

    // if (c) { m = a } else { m = b }  ->  m = c ? a : b
    // if (c) { if (x) T else F } else { if (y) T else F }  ->  if (c ? x : y) T else F
    bool collapseTernary(Block& a) {
        if (a.exit != BlockExit::Cond) return false;
        Block& t = at(a.succ[0]);
        Block& f = at(a.succ[1]);
        if (t.id == f.id || !absorbable(a, t) || !absorbable(a, f)) return false;
        ExprPtr tv, fv;
        Var* tm = singleTempAssign(t, tv);
        Var* fm = singleTempAssign(f, fv);
        if (tm && tm == fm && t.exit == BlockExit::Goto && f.exit == BlockExit::Goto && t.succ == f.succ) {
            auto target = t.stmts[0]->expr->args[0];
            auto assign = makeExpr(ExprKind::Assign, target->type);
            assign->args = {target, conditional(a.cond, tv, fv)};
            a.stmts.push_back(makeStmt(StmtKind::Expr, assign));
            a.exit = BlockExit::Goto;
            a.cond = nullptr;
            a.succ = t.succ;
            remove(t);
            remove(f);
            return true;
        }
        if (t.stmts.empty() && f.stmts.empty() && t.exit == BlockExit::Cond && f.exit == BlockExit::Cond &&
            t.succ == f.succ) {
            a.cond = conditional(a.cond, t.cond, f.cond);
            a.cond->type = booleanType();
            a.succ = t.succ;
            remove(t);
            remove(f);
            return true;
        }
        return false;
    }

    bool mergeChain(Block& a) {
        if (a.exit != BlockExit::Goto) return false;
        Block& b = at(a.succ[0]);
        if (!absorbable(a, b)) return false;
        a.stmts.insert(a.stmts.end(), b.stmts.begin(), b.stmts.end());
        a.exit = b.exit;
        a.cond = b.cond;
        a.succ = b.succ;
        a.keys = b.keys;
        remove(b);
        return true;
    }

    Cfg& _cfg;
    std::vector<VarPtr>& _vars;
    Budget& _budget;
    // recount's scratch lists, kept between rounds
    std::vector<StmtList*> _lists;
    std::vector<ExprPtr*> _exits;
};

}  // namespace

void simplifyBlocks(Cfg& cfg, const std::vector<ExceptionHandler>&, std::vector<VarPtr>& vars, Budget& budget) {
    Simplifier(cfg, vars, budget).run();
}

}  // namespace jad::body
