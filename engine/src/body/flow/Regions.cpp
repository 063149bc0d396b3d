#include "body/flow/Regions.h"

#include <algorithm>
#include <map>
#include <set>

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

struct Group {
    std::vector<uint32_t> pcs;                      // handler entries, in table order
    std::map<uint32_t, std::vector<std::string>> types;
    std::vector<int> handlerIndexes;
    std::vector<int> covered;                       // sorted block ids
};

class RegionBuilder {
public:
    RegionBuilder(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, std::vector<VarPtr>& vars, Budget& budget)
        : _cfg(cfg), _handlers(handlers), _vars(vars), _budget(budget) {}

    RegionTree run() {
        // one compound at most per handler comes on top of the blocks
        _tree.nodes.reserve(_cfg.blocks.size() + _handlers.size());
        for (const Block& b : _cfg.blocks) {
            Node& n = _tree.nodes.emplace_back();
            n.id = b.id;
            n.block = b.id;
            n.entryBlock = b.id;
            n.blocks = {b.id};
        }
        const std::vector<int> order = _cfg.reversePostorder(_handlers);
        _reachable.assign(_cfg.blocks.size(), 0);
        for (int id : order) _reachable[static_cast<size_t>(id)] = 1;
        _top.resize(_cfg.blocks.size());
        for (size_t i = 0; i < _top.size(); ++i) _top[i] = static_cast<int>(i);
        _groupOfHandler.assign(_handlers.size(), -1);
        collectGroups();
        collapseAll();
        return std::move(_tree);
    }

private:
    // Innermost first; a range inside another's handler may be no smaller
    // than that range, so a group that does not fit yet waits for the rest.
    void collapseAll() {
        _collapsed.assign(_groups.size(), 0);
        std::vector<size_t> pending(_groups.size());
        for (size_t g = 0; g < pending.size(); ++g) pending[g] = g;
        while (!pending.empty()) {
            std::vector<size_t> waiting;
            std::string reason = "protected ranges that do not nest";
            for (size_t g : pending) {
                if (enclosesPending(g, pending)) {
                    waiting.push_back(g);
                    continue;
                }
                try {
                    collapse(g);
                    _collapsed[g] = 1;
                } catch (const Unsupported& u) {
                    waiting.push_back(g);
                    reason = u.reason;
                }
            }
            if (waiting.size() == pending.size()) throw Unsupported{reason};
            pending.swap(waiting);
        }
    }

    // A range that shares blocks with a smaller one still waiting must wait
    // for it: collapsing the outer first would hide the inner.
    bool enclosesPending(size_t g, const std::vector<size_t>& pending) const {
        const std::vector<int>& mine = _groups[g].covered;
        for (size_t p : pending) {
            if (p == g || _collapsed[p] || _groups[p].covered.size() > mine.size()) continue;
            const std::vector<int>& theirs = _groups[p].covered;
            std::vector<int> common;
            std::set_intersection(mine.begin(), mine.end(), theirs.begin(), theirs.end(), std::back_inserter(common));
            if (!common.empty() && (theirs.size() < mine.size() || p < g)) return true;
        }
        return false;
    }

    void collectGroups() {
        std::map<uint32_t, Group> byPc;
        std::vector<uint32_t> pcOrder;
        for (size_t h = 0; h < _handlers.size(); ++h) {
            const ExceptionHandler& handler = _handlers[h];
            const int block = _cfg.blockAt(handler.handlerPc);
            if (block < 0 || !_reachable[static_cast<size_t>(block)]) continue;
            Group& g = byPc[handler.handlerPc];
            if (g.pcs.empty()) {
                g.pcs.push_back(handler.handlerPc);
                pcOrder.push_back(handler.handlerPc);
            }
            auto& types = g.types[handler.handlerPc];
            if (std::find(types.begin(), types.end(), handler.catchType) == types.end()) types.push_back(handler.catchType);
            g.handlerIndexes.push_back(static_cast<int>(h));
        }
        for (auto& [pc, g] : byPc) {
            std::set<int> indexes(g.handlerIndexes.begin(), g.handlerIndexes.end());
            for (const Block& b : _cfg.blocks) {
                if (!_reachable[static_cast<size_t>(b.id)]) continue;
                for (int h : b.handlers) {
                    if (indexes.count(h)) {
                        g.covered.push_back(b.id);
                        break;
                    }
                }
                _budget.spend(b.handlers.size() + 1);
            }
        }
        std::map<std::vector<int>, size_t> byCover;
        for (uint32_t pc : pcOrder) {
            Group& g = byPc[pc];
            if (g.covered.empty()) continue;
            if (g.types[pc].size() > 1 && std::count(g.types[pc].begin(), g.types[pc].end(), std::string())) {
                g.types[pc] = {std::string()};
            }
            auto it = byCover.find(g.covered);
            if (it == byCover.end()) {
                byCover[g.covered] = _groups.size();
                _groups.push_back(g);
            } else {
                Group& into = _groups[it->second];
                into.pcs.push_back(pc);
                into.types[pc] = g.types[pc];
                into.handlerIndexes.insert(into.handlerIndexes.end(), g.handlerIndexes.begin(), g.handlerIndexes.end());
            }
        }
        std::stable_sort(_groups.begin(), _groups.end(),
                         [](const Group& a, const Group& b) { return a.covered.size() < b.covered.size(); });
        for (size_t g = 0; g < _groups.size(); ++g) {
            for (int h : _groups[g].handlerIndexes) _groupOfHandler[static_cast<size_t>(h)] = static_cast<int>(g);
        }
    }

    // Handler indexes covering a block from groups not yet collapsed, apart
    // from group `current`.
    std::vector<int> coverage(int block, size_t current) const {
        std::vector<int> result;
        for (int h : _cfg.blocks[static_cast<size_t>(block)].handlers) {
            const int g = _groupOfHandler[static_cast<size_t>(h)];
            if (g >= 0 && g != static_cast<int>(current) && !_collapsed[static_cast<size_t>(g)]) result.push_back(h);
        }
        return result;
    }

    struct TopGraph {
        std::vector<int> order;
        std::vector<std::vector<int>> succ, preds;
        std::vector<int> idom;
    };

    TopGraph topGraph() {
        TopGraph g;
        const size_t n = _tree.nodes.size();
        g.succ.assign(n, {});
        g.preds.assign(n, {});
        auto edge = [&](int from, int to) {
            auto& s = g.succ[static_cast<size_t>(from)];
            if (std::find(s.begin(), s.end(), to) == s.end()) {
                s.push_back(to);
                g.preds[static_cast<size_t>(to)].push_back(from);
            }
        };
        for (const Block& b : _cfg.blocks) {
            if (!_reachable[static_cast<size_t>(b.id)] || b.removed) continue;
            const int from = _top[static_cast<size_t>(b.id)];
            for (int s : b.succ) {
                const int to = _top[static_cast<size_t>(s)];
                if (to != from || s == _tree.nodes[static_cast<size_t>(to)].entryBlock) edge(from, to);
            }
            for (int h : b.handlers) {
                const int g = _groupOfHandler[static_cast<size_t>(h)];
                if (g < 0 || _collapsed[static_cast<size_t>(g)]) continue;
                const int to = _top[static_cast<size_t>(_cfg.blockAt(_handlers[static_cast<size_t>(h)].handlerPc))];
                if (to != from) edge(from, to);
            }
            _budget.spend(b.succ.size() + b.handlers.size() + 1);
        }
        // depth-first order from the entry
        std::vector<char> seen(n, 0);
        std::vector<std::pair<int, size_t>> stack{{_top[static_cast<size_t>(_cfg.entry)], 0}};
        seen[static_cast<size_t>(stack[0].first)] = 1;
        while (!stack.empty()) {
            auto& [id, next] = stack.back();
            const auto& s = g.succ[static_cast<size_t>(id)];
            if (next < s.size()) {
                const int to = s[next++];
                if (!seen[static_cast<size_t>(to)]) {
                    seen[static_cast<size_t>(to)] = 1;
                    stack.push_back({to, 0});
                }
            } else {
                g.order.push_back(id);
                stack.pop_back();
            }
        }
        std::reverse(g.order.begin(), g.order.end());
        g.idom = dominators(g.order, g.preds, n, _budget);
        return g;
    }

    bool dominates(const TopGraph& g, int a, int b) const {
        for (int steps = 0; steps <= static_cast<int>(g.order.size()); ++steps) {
            if (b == a) return true;
            const int up = g.idom[static_cast<size_t>(b)];
            if (up < 0 || up == b) return false;
            b = up;
        }
        return false;
    }

    std::vector<int> regionOf(const TopGraph& g, int handlerNode, size_t current) {
        std::vector<int> region;
        const std::vector<int> key = coverage(_tree.nodes[static_cast<size_t>(handlerNode)].entryBlock, current);
        for (int n : g.order) {
            _budget.spend();
            if (!dominates(g, handlerNode, n)) continue;
            if (coverage(_tree.nodes[static_cast<size_t>(n)].entryBlock, current) != key) continue;
            region.push_back(n);
        }
        return region;
    }

    void collapse(size_t index) {
        const Group& group = _groups[index];
        const TopGraph g = topGraph();
        std::set<int> covered(group.covered.begin(), group.covered.end());
        std::set<int> body;
        for (int b : group.covered) body.insert(_top[static_cast<size_t>(b)]);
        for (int n : body) {
            for (int b : _tree.nodes[static_cast<size_t>(n)].blocks) {
                if (!covered.count(b)) throw Unsupported{"protected ranges overlap without nesting"};
            }
        }
        std::vector<std::vector<int>> regions;
        std::set<int> inRegions;
        for (uint32_t pc : group.pcs) {
            const int h = _top[static_cast<size_t>(_cfg.blockAt(pc))];
            regions.push_back(regionOf(g, h, index));
            for (int n : regions.back()) {
                if (!inRegions.insert(n).second) throw Unsupported{"exception handlers share code"};
                body.erase(n);  // a synchronized release handler covers itself
            }
        }
        if (body.empty()) throw Unsupported{"empty protected range"};
        int entry = *body.begin();
        for (int n : body) {
            if (startPc(n) < startPc(entry)) entry = n;
        }
        checkEntries(g, body, entry, "protected range entered in the middle");
        for (size_t r = 0; r < regions.size(); ++r) {
            std::set<int> region(regions[r].begin(), regions[r].end());
            const int h = _top[static_cast<size_t>(_cfg.blockAt(group.pcs[r]))];
            checkEntries(g, region, h, "exception handler entered in the middle");
            for (int p : g.preds[static_cast<size_t>(h)]) {
                if (covers(p, group.pcs[r]) ) continue;
                throw Unsupported{"exception handler also entered normally"};
            }
        }
        makeCompound(group, body, entry, regions);
    }

    bool covers(int node, uint32_t handlerPc) const {
        for (int b : _tree.nodes[static_cast<size_t>(node)].blocks) {
            for (int h : _cfg.blocks[static_cast<size_t>(b)].handlers) {
                if (_handlers[static_cast<size_t>(h)].handlerPc == handlerPc) return true;
            }
        }
        return false;
    }

    uint32_t startPc(int node) const {
        return _cfg.blocks[static_cast<size_t>(_tree.nodes[static_cast<size_t>(node)].entryBlock)].startPc;
    }

    void checkEntries(const TopGraph& g, const std::set<int>& set, int entry, const char* reason) const {
        for (int n : set) {
            if (n == entry) continue;
            for (int p : g.preds[static_cast<size_t>(n)]) {
                if (!set.count(p)) throw Unsupported{reason};
            }
        }
    }

    VarPtr takeCaught(int handlerNode, const std::string& type) {
        const Node& node = _tree.nodes[static_cast<size_t>(handlerNode)];
        if (node.block < 0) throw Unsupported{"exception handler starts inside another region"};
        Block& b = _cfg.blocks[static_cast<size_t>(node.block)];
        if (!b.stmts.empty() && b.stmts[0]->kind == StmtKind::Expr) {
            Expr& e = *b.stmts[0]->expr;
            if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Local && e.args[1]->kind == ExprKind::Caught) {
                VarPtr v = e.args[0]->var;
                const JavaType caughtType = e.args[1]->type;
                b.stmts.erase(b.stmts.begin());  // `e` dies here
                if (!v->declaredType) {
                    v->type = caughtType;
                    v->declaredType = true;
                }
                return v;
            }
        }
        auto v = std::make_shared<Var>();
        v->kind = VarKind::Local;
        v->type = objectType(type.empty() ? "java/lang/Throwable" : type);
        v->declaredType = true;
        v->id = static_cast<int>(_vars.size()) + 1;
        _vars.push_back(v);
        ExprPtr local = makeLocal(v);
        ExprPtr* exit = &b.cond;
        auto replace = [&](ExprPtr& slot) {
            if (slot->kind == ExprKind::Caught) slot = local;
        };
        visitAllExprs(b.stmts, replace);
        if (*exit) visitExprSlots(*exit, replace);
        return v;
    }

    bool isReleaseHandler(const std::vector<int>& region) const {
        bool exit = false;
        for (int n : region) {
            const Node& node = _tree.nodes[static_cast<size_t>(n)];
            if (node.block < 0) return false;
            for (const StmtPtr& s : _cfg.blocks[static_cast<size_t>(node.block)].stmts) {
                if (s->kind == StmtKind::Monitor && !s->enter) exit = true;
                else if (s->kind == StmtKind::Expr && s->expr->kind == ExprKind::Assign &&
                         s->expr->args[1]->kind == ExprKind::Caught) continue;
                else if (s->kind != StmtKind::Throw) return false;
            }
        }
        return exit;
    }

    ExprPtr takeLock(int entry, const std::set<int>& body) {
        int outside = -1;
        for (const Block& b : _cfg.blocks) {
            if (b.removed || !_reachable[static_cast<size_t>(b.id)]) continue;
            for (int s : b.succ) {
                if (s == _tree.nodes[static_cast<size_t>(entry)].entryBlock && !body.count(_top[static_cast<size_t>(b.id)])) {
                    if (outside >= 0 && outside != b.id) return nullptr;
                    outside = b.id;
                }
            }
        }
        if (outside < 0) return nullptr;
        StmtList& stmts = _cfg.blocks[static_cast<size_t>(outside)].stmts;
        if (stmts.empty() || stmts.back()->kind != StmtKind::Monitor || !stmts.back()->enter) return nullptr;
        ExprPtr lock = stmts.back()->expr;
        stmts.pop_back();
        // javac keeps the lock in a local for the exits; the source named it once.
        if (!stmts.empty() && stmts.back()->kind == StmtKind::Expr && stmts.back()->expr->kind == ExprKind::Assign) {
            const Expr& assign = *stmts.back()->expr;
            const Expr& target = *assign.args[0];
            if (target.kind == ExprKind::Local && (samePure(*assign.args[1], *lock) || (lock->kind == ExprKind::Local && lock->var == target.var))) {
                lock = assign.args[1];
                stmts.pop_back();
            }
        }
        return lock;
    }

    void removeMonitorExits(const std::set<int>& body) {
        for (int n : body) {
            for (int b : _tree.nodes[static_cast<size_t>(n)].blocks) {
                StmtList& stmts = _cfg.blocks[static_cast<size_t>(b)].stmts;
                stmts.erase(std::remove_if(stmts.begin(), stmts.end(),
                                           [](const StmtPtr& s) { return s->kind == StmtKind::Monitor && !s->enter; }),
                            stmts.end());
            }
        }
    }

    void makeCompound(const Group& group, const std::set<int>& body, int entry,
                      const std::vector<std::vector<int>>& regions) {
        Node c;
        c.id = static_cast<int>(_tree.nodes.size());
        c.entryBlock = _tree.nodes[static_cast<size_t>(entry)].entryBlock;
        RegionPart bodyPart;
        bodyPart.entry = entry;
        c.parts.push_back(bodyPart);
        const bool release = group.pcs.size() == 1 && group.types.at(group.pcs[0]) == std::vector<std::string>{""} &&
                             isReleaseHandler(regions[0]);
        if (release) {
            c.sync = true;
            c.lock = takeLock(entry, body);
            if (!c.lock) throw Unsupported{"synchronized block without its monitorenter"};
            removeMonitorExits(body);
        }
        for (size_t r = 0; r < regions.size(); ++r) {
            RegionPart part;
            part.types = group.types.at(group.pcs[r]);
            part.entry = _top[static_cast<size_t>(_cfg.blockAt(group.pcs[r]))];
            if (!release) part.caught = takeCaught(part.entry, part.types.size() == 1 ? part.types[0] : std::string());
            c.parts.push_back(part);
        }
        auto adopt = [&](int n, int part) {
            Node& child = _tree.nodes[static_cast<size_t>(n)];
            child.parent = c.id;
            child.part = part;
            c.blocks.insert(c.blocks.end(), child.blocks.begin(), child.blocks.end());
        };
        for (int n : body) adopt(n, 0);
        for (size_t r = 0; r < regions.size(); ++r) {
            for (int n : regions[r]) adopt(n, static_cast<int>(r) + 1);
        }
        for (int b : c.blocks) _top[static_cast<size_t>(b)] = c.id;
        _tree.nodes.push_back(std::move(c));
    }

    Cfg& _cfg;
    const std::vector<ExceptionHandler>& _handlers;
    std::vector<VarPtr>& _vars;
    Budget& _budget;
    RegionTree _tree;
    std::vector<char> _reachable;
    std::vector<int> _top;
    std::vector<Group> _groups;
    std::vector<int> _groupOfHandler;
    std::vector<char> _collapsed;
};

}  // namespace

RegionTree buildRegions(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, std::vector<VarPtr>& vars,
                        Budget& budget) {
    return RegionBuilder(cfg, handlers, vars, budget).run();
}

}  // namespace jad::body
