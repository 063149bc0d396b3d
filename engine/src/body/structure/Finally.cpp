#include "body/structure/Finally.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "body/ir/CopyMatch.h"
#include "body/ir/Walk.h"

namespace jad::body {

namespace {

using VarCounts = std::unordered_map<const Var*, int>;

void countIn(const ExprPtr& e, VarCounts& counts) {
    forEachExpr(e, [&](const ExprPtr& x) {
        if (x->var) ++counts[x->var.get()];
    });
}

void countIn(const Stmt& s, VarCounts& counts) {
    countIn(s.expr, counts);
    forEachChildList(const_cast<Stmt&>(s), [&](StmtList& list) {
        for (const StmtPtr& child : list) countIn(*child, counts);
    });
}

// The handler for any exception: F, then `throw ex` at the end of `last`.
struct Handler {
    int entry = -1, last = -1;
    size_t prefix = 0;          // statements of `last` before the rethrow
    std::vector<char> inside;   // by block id
    std::vector<int> blocks;
};

// One copy of F on a way out of the try: the handler's blocks mapped to
// their copies; the copy of `last` goes on with the code after F.
struct Copy {
    int start = -1, last = -1;
    std::map<int, int> blocks;
    std::map<const Var*, const Var*> renamed;
};

class Folder {
public:
    Folder(Cfg& cfg, RegionTree& tree, Budget& budget) : _cfg(cfg), _tree(tree), _budget(budget) {}

    void run() {
        const size_t count = _tree.nodes.size();
        for (size_t n = _cfg.blocks.size(); n < count; ++n) {
            _budget.spend(_cfg.blocks.size() + 1);
            _cfg.recomputePreds();
            fold(static_cast<int>(n));
        }
        _cfg.recomputePreds();
    }

private:
    Node& node(int n) { return _tree.nodes[static_cast<size_t>(n)]; }
    Block& block(int b) { return _cfg.blocks[static_cast<size_t>(b)]; }
    bool inTry(int b, const Handler& h) const {
        return _inCompound[static_cast<size_t>(b)] && !h.inside[static_cast<size_t>(b)];
    }

    void fold(int c) {
        Node& compound = node(c);
        if (compound.block >= 0 || compound.sync || compound.parts.size() < 2) return;
        const size_t p = compound.parts.size() - 1;
        const RegionPart& part = compound.parts[p];
        if (part.types != std::vector<std::string>{""} || !part.caught) return;
        _inCompound.assign(_cfg.blocks.size(), 0);
        for (int b : compound.blocks) _inCompound[static_cast<size_t>(b)] = 1;
        Handler h;
        if (!findHandler(c, p, h)) return;
        std::vector<Copy> copies;
        for (int start : exitTargets(compound, h)) {
            Copy copy;
            if (!matchCopy(c, h, start, copy)) return;
            copies.push_back(std::move(copy));
        }
        if (!copiesAreDisjoint(h, copies) || !localsStayLocal(h, copies)) return;
        apply(c, p, h, copies);
    }

    bool findHandler(int c, size_t p, Handler& h) {
        const Node& compound = node(c);
        h.inside.assign(_cfg.blocks.size(), 0);
        for (int b : compound.blocks) {
            int x = b;
            while (node(x).parent != c) {
                _budget.spend();
                x = node(x).parent;
                if (x < 0) return false;
            }
            if (static_cast<size_t>(node(x).part) != p) continue;
            if (x != b) return false;  // a try or synchronized inside F: not matched here
            h.inside[static_cast<size_t>(b)] = 1;
            h.blocks.push_back(b);
        }
        const Node& entry = node(compound.parts[p].entry);
        if (entry.block < 0) return false;
        h.entry = entry.block;
        // the handler's store of the exception may stand alone when javac's
        // range also covers it
        for (size_t guard = 0; guard < h.blocks.size(); ++guard) {
            const Block& first = block(h.entry);
            if (!first.stmts.empty() || first.exit != BlockExit::Goto || !h.inside[static_cast<size_t>(first.succ[0])]) break;
            h.entry = first.succ[0];
        }
        const Var* caught = compound.parts[p].caught.get();
        VarCounts uses;
        for (int b : h.blocks) {
            const Block& blk = block(b);
            for (const StmtPtr& s : blk.stmts) countIn(*s, uses);
            countIn(blk.cond, uses);
            if (blk.exit != BlockExit::End || blk.stmts.empty()) continue;
            const Stmt& s = *blk.stmts.back();
            if (s.kind != StmtKind::Throw || !s.expr || s.expr->kind != ExprKind::Local || s.expr->var.get() != caught) continue;
            if (h.last >= 0) return false;
            h.last = b;
            h.prefix = blk.stmts.size() - 1;
        }
        // F must not look at the exception; an empty F is a source catch, as
        // javac leaves no handler for an empty finally
        return h.last >= 0 && uses[caught] == 1 && !(h.blocks.size() == 1 && h.prefix == 0) && !leavesOtherwise(h);
    }

    // F that may also end in a throw or return of its own: without the
    // rethrow, its end is a way out that code after a branch cannot jump
    // to, and the branches would run into each other. Such a region stays
    // the try/catch it is.
    bool leavesOtherwise(const Handler& h) {
        for (int b : h.blocks) {
            if (b != h.last && block(b).exit == BlockExit::End) return true;
        }
        return false;
    }

    std::vector<int> exitTargets(const Node& compound, const Handler& h) {
        std::vector<int> targets;
        for (int b : compound.blocks) {
            if (h.inside[static_cast<size_t>(b)]) continue;
            for (int t : block(b).succ) {
                _budget.spend();
                if (_inCompound[static_cast<size_t>(t)]) continue;
                if (std::find(targets.begin(), targets.end(), t) == targets.end()) targets.push_back(t);
            }
        }
        return targets;
    }

    bool atLevelOf(int c, int b) {
        const Node& compound = node(c);
        const Node& n = node(b);
        return n.parent == compound.parent && (compound.parent < 0 || n.part == compound.part);
    }

    // Where control enters a region part or a compound: never removed.
    bool isEntry(int b) {
        if (b == _cfg.entry) return true;
        for (int x = node(b).parent; x >= 0; x = node(x).parent) {
            _budget.spend();
            const Node& n = node(x);
            if (n.entryBlock == b) return true;
            for (const RegionPart& part : n.parts) {
                if (part.entry == b) return true;
            }
        }
        return false;
    }

    bool matchCopy(int c, const Handler& h, int start, Copy& copy) {
        CopyMatch match;
        std::map<int, int> back;
        std::vector<std::pair<int, int>> work{{h.entry, start}};
        while (!work.empty()) {
            _budget.spend();
            const auto [hb, kb] = work.back();
            work.pop_back();
            auto known = copy.blocks.find(hb);
            if (known != copy.blocks.end()) {
                if (known->second != kb) return false;
                continue;
            }
            if (back.count(kb)) return false;
            copy.blocks[hb] = kb;
            back[kb] = hb;
            if (!matchBlock(c, h, hb, kb, match, work)) return false;
        }
        auto last = copy.blocks.find(h.last);
        if (last == copy.blocks.end()) return false;
        copy.start = start;
        copy.last = last->second;
        copy.renamed = match.renamed();
        return singleEntry(h, copy, back);
    }

    bool matchBlock(int c, const Handler& h, int hb, int kb, CopyMatch& match, std::vector<std::pair<int, int>>& work) {
        const Block& x = block(hb);
        const Block& y = block(kb);
        const bool last = hb == h.last;
        if (y.removed || y.handlerEntry || h.inside[static_cast<size_t>(kb)]) return false;
        // the copy of `last` may be the code after F itself, wherever it lies
        if ((!last || h.prefix > 0) && (_inCompound[static_cast<size_t>(kb)] || !atLevelOf(c, kb))) return false;
        const size_t n = last ? h.prefix : x.stmts.size();
        if (y.stmts.size() < n || (!last && y.stmts.size() != n)) return false;
        for (size_t i = 0; i < n; ++i) {
            _budget.spend();
            if (!match.sameStmt(*x.stmts[i], *y.stmts[i])) return false;
        }
        if (last) return true;
        if (x.exit != y.exit || x.keys != y.keys || x.succ.size() != y.succ.size() || !match.sameExpr(x.cond, y.cond)) {
            return false;
        }
        for (size_t i = 0; i < x.succ.size(); ++i) {
            const int hs = x.succ[i], ks = y.succ[i];
            if (h.inside[static_cast<size_t>(hs)]) work.push_back({hs, ks});
            else if (hs != ks) return false;  // F's own jumps out go to the same places
        }
        return true;
    }

    // Only the try reaches the copy's first block, only the copy its others.
    bool singleEntry(const Handler& h, const Copy& copy, const std::map<int, int>& back) {
        for (const auto& [hb, kb] : copy.blocks) {
            if (hb == h.last && h.prefix == 0) continue;  // kept as it is
            if (kb != copy.last && isEntry(kb)) return false;
            for (int p : block(kb).preds) {
                _budget.spend();
                if (back.count(p) || (kb == copy.start && inTry(p, h))) continue;
                return false;
            }
        }
        return true;
    }

    bool copiesAreDisjoint(const Handler& h, const std::vector<Copy>& copies) {
        std::vector<char> claimed(_cfg.blocks.size(), 0);
        for (const Copy& copy : copies) {
            for (const auto& [hb, kb] : copy.blocks) {
                if (hb == h.last && h.prefix == 0) continue;
                if (claimed[static_cast<size_t>(kb)]++) return false;
            }
        }
        return true;
    }

    VarCounts countAll() {
        VarCounts counts;
        for (const Block& b : _cfg.blocks) {
            if (b.removed) continue;
            _budget.spend(b.stmts.size() + 1);
            for (const StmtPtr& s : b.stmts) countIn(*s, counts);
            countIn(b.cond, counts);
        }
        return counts;
    }

    // A variable the copy names differently must belong to that copy alone,
    // and the handler's to the handler.
    bool localsStayLocal(const Handler& h, const std::vector<Copy>& copies) {
        bool renames = false;
        for (const Copy& copy : copies) renames |= !copy.renamed.empty();
        if (!renames) return true;
        const VarCounts all = countAll();
        VarCounts inHandler;
        for (int b : h.blocks) {
            for (const StmtPtr& s : block(b).stmts) countIn(*s, inHandler);
            countIn(block(b).cond, inHandler);
        }
        auto get = [](const VarCounts& counts, const Var* v) {
            auto it = counts.find(v);
            return it == counts.end() ? 0 : it->second;
        };
        for (const Copy& copy : copies) {
            VarCounts inCopy;
            for (const auto& [hb, kb] : copy.blocks) {
                const Block& b = block(kb);
                const size_t n = hb == h.last ? h.prefix : b.stmts.size();
                _budget.spend(n + 1);
                for (size_t i = 0; i < n; ++i) countIn(*b.stmts[i], inCopy);
                if (hb != h.last) countIn(b.cond, inCopy);
            }
            for (const auto& [a, b] : copy.renamed) {
                if (get(inHandler, a) != get(all, a) || get(inCopy, b) != get(all, b)) return false;
            }
        }
        return true;
    }

    void removeBlock(int b) {
        Block& blk = block(b);
        blk.removed = true;
        blk.stmts.clear();
        blk.succ.clear();
        blk.cond = nullptr;
        blk.exit = BlockExit::End;
        for (int x = node(b).parent; x >= 0; x = node(x).parent) {
            _budget.spend();
            auto& inside = node(x).blocks;
            inside.erase(std::remove(inside.begin(), inside.end(), b), inside.end());
        }
    }

    void redirect(const std::vector<int>& from, int oldTarget, int newTarget) {
        for (int b : from) {
            for (int& t : block(b).succ) {
                if (t == oldTarget) t = newTarget;
            }
        }
    }

    void apply(int c, size_t p, const Handler& h, const std::vector<Copy>& copies) {
        const std::vector<int> tryBlocks = blocksOfTry(c, h);
        for (const Copy& copy : copies) {
            if (copy.start != copy.last) redirect(tryBlocks, copy.start, copy.last);
            StmtList& rest = block(copy.last).stmts;
            rest.erase(rest.begin(), rest.begin() + static_cast<long>(h.prefix));
            for (const auto& [hb, kb] : copy.blocks) {
                if (kb != copy.last) removeBlock(kb);
            }
        }
        block(h.last).stmts.pop_back();  // the rethrow
        node(c).parts[p].isFinally = true;
        _cfg.recomputePreds();
        for (const Copy& copy : copies) {
            if (!onlyFromTry(c, tryBlocks, copy.last)) continue;
            if (!skipEmptyExit(tryBlocks, copy.last)) returnInsideTry(c, h, copy.last);
        }
    }

    bool onlyFromTry(int c, const std::vector<int>& tryBlocks, int b) {
        if (block(b).removed || _inCompound[static_cast<size_t>(b)] || !atLevelOf(c, b) || isEntry(b)) return false;
        for (int p : block(b).preds) {
            _budget.spend();
            if (std::find(tryBlocks.begin(), tryBlocks.end(), p) == tryBlocks.end()) return false;
        }
        return true;
    }

    std::vector<int> blocksOfTry(int c, const Handler& h) {
        std::vector<int> result;
        for (int b : node(c).blocks) {
            if (!h.inside[static_cast<size_t>(b)]) result.push_back(b);
        }
        return result;
    }

    // What is left of a copy that was followed by a jump is the jump alone.
    bool skipEmptyExit(const std::vector<int>& tryBlocks, int b) {
        const Block& blk = block(b);
        if (!blk.stmts.empty() || blk.exit != BlockExit::Goto || blk.succ.size() != 1 || blk.succ[0] == b) return false;
        const int target = blk.succ[0];
        redirect(tryBlocks, b, target);
        removeBlock(b);
        _cfg.recomputePreds();
        return true;
    }

    // What is left of a copy that was followed by a return is the return.
    void returnInsideTry(int c, const Handler& h, int b) {
        const Block& blk = block(b);
        if (blk.stmts.size() != 1 || blk.exit != BlockExit::End || blk.stmts[0]->kind != StmtKind::Return) return;
        const std::vector<int> preds = blk.preds;
        if (preds.empty()) return;
        // a return of anything but javac's temporary is the source's own code after the try
        const ExprPtr& value = blk.stmts[0]->expr;
        if (value && value->kind != ExprKind::Local) return;
        if (returnFromPreds(b, value, preds)) {
            _cfg.recomputePreds();
            return;
        }
        // inside the try, the value would be taken before F runs
        if (value && assignedIn(h, value->var.get())) return;
        if (!adoptIntoTry(c, b, preds)) return;
        _cfg.recomputePreds();
    }

    bool assignedIn(const Handler& h, const Var* v) {
        bool found = false;
        auto look = [&](const ExprPtr& e) {
            forEachExpr(e, [&](const ExprPtr& x) {
                switch (x->kind) {
                case ExprKind::Assign: case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
                    if (!x->args.empty() && x->args[0]->var.get() == v) found = true;
                    break;
                default: break;
                }
            });
        };
        for (int b : h.blocks) {
            _budget.spend(block(b).stmts.size() + 1);
            for (const StmtPtr& s : block(b).stmts) {
                look(s->expr);
                forEachChildList(*s, [&](StmtList& list) {
                    for (const StmtPtr& child : list) look(child->expr);
                });
            }
            look(block(b).cond);
        }
        return found;
    }

    // `t = E;` in the try, then `return t;` after F: the source's `return E;`.
    bool returnFromPreds(int b, const ExprPtr& value, const std::vector<int>& preds) {
        if (value && value->kind != ExprKind::Local) return false;
        const Var* temp = value ? value->var.get() : nullptr;
        for (int p : preds) {
            const Block& from = block(p);
            if (from.exit != BlockExit::Goto) return false;
            if (!temp) continue;
            if (from.stmts.empty()) return false;
            const Expr& e = *from.stmts.back()->expr;
            if (from.stmts.back()->kind != StmtKind::Expr || e.kind != ExprKind::Assign || e.args[0]->kind != ExprKind::Local ||
                e.args[0]->var.get() != temp) return false;
        }
        if (temp) {
            const VarCounts all = countAll();
            auto it = all.find(temp);
            if (it == all.end() || it->second != static_cast<int>(preds.size()) + 1) return false;
        }
        for (int p : preds) {
            Block& from = block(p);
            if (temp) from.stmts.back() = makeStmt(StmtKind::Return, from.stmts.back()->expr->args[1]);
            else from.stmts.push_back(makeStmt(StmtKind::Return));
            from.exit = BlockExit::End;
            from.succ.clear();
        }
        removeBlock(b);
        return true;
    }

    // A return cannot throw, so it may as well stand inside the try: leaving
    // the try by it runs F first, as the jump to it did.
    bool adoptIntoTry(int c, int b, const std::vector<int>& preds) {
        for (int p : preds) {
            int x = p;
            while (node(x).parent != c) {
                _budget.spend();
                x = node(x).parent;
                if (x < 0) return false;
            }
            if (node(x).part != 0) return false;
        }
        node(b).parent = c;
        node(b).part = 0;
        node(c).blocks.push_back(b);
        return true;
    }

    Cfg& _cfg;
    RegionTree& _tree;
    Budget& _budget;
    std::vector<char> _inCompound;
};

}  // namespace

void foldFinallyBodies(Cfg& cfg, RegionTree& regions, Budget& budget) { Folder(cfg, regions, budget).run(); }

void mergeCatchesIntoFinally(Stmt& tryStmt) {
    if (tryStmt.finallyBody.empty() || !tryStmt.catches.empty() || tryStmt.body.size() != 1) return;
    Stmt& inner = *tryStmt.body[0];
    if (inner.kind != StmtKind::Try || inner.catches.empty() || !inner.finallyBody.empty() || inner.label) return;
    StmtList body = std::move(inner.body);
    std::vector<CatchClause> catches = std::move(inner.catches);
    tryStmt.body = std::move(body);
    tryStmt.catches = std::move(catches);
}

}  // namespace jad::body
