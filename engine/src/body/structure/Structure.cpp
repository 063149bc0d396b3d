#include "body/structure/Structure.h"

#include <algorithm>

#include "body/structure/Finally.h"

namespace jad::body {

namespace {

struct Scope {
    bool loop = false;  // LoopHeadedBy; otherwise BlockFollowedBy
    int node = 0;
    int label = 0;
};

class Structurer;

// One level of the region tree: the children of a compound's part, or the
// top-level nodes.
class Level {
public:
    Level(Structurer& s, int parent, int part, int entry);
    StmtList run();

private:
    friend class Structurer;
    void analyse();
    void depthFirstOrder();
    void dominatorTree();
    void naturalLoops();
    int levelNode(int block) const;
    template <typename F> void forEachExit(int node, F&& f) const;  // targets of edges leaving the node
    std::vector<int> successors(int node) const;  // level nodes reached
    const std::vector<int>& successorsOf(int n) const { return _succ[static_cast<size_t>(n)]; }
    bool isMerge(int n) const { return forwardPreds(n) >= 2 || hasCompoundPred(n); }
    int forwardPreds(int n) const;
    bool hasCompoundPred(int n) const;
    bool inLoop(int header, int n) const;
    bool isOpenEnd(int n) const;
    void markOpenEnds();
    void claimOpenExits(int header, std::vector<int>& placed);

    StmtList doTree(int n);
    StmtList nodeWithin(int n, const std::vector<int>& placed);
    template <typename Inner> StmtList wrap(const std::vector<int>& ys, size_t from, const Inner& inner);
    StmtList codeOf(int n);
    StmtList branches(int n);
    StmtList switchCode(int n, const Block& b);
    StmtList doBranch(int from, int targetBlock);
    std::vector<int> domChildren(int n) const;
    std::vector<int> armsOf(int n) const;

    Structurer& _s;
    int _parent, _part, _entry;
    std::vector<int> _order;             // reverse postorder of level nodes
    std::vector<int> _rpo, _idom;        // indexed by node id
    std::vector<std::vector<int>> _succ;   // per level node reached, computed once
    std::vector<std::vector<int>> _preds;
    std::vector<std::vector<int>> _children;  // in the dominator tree
    std::vector<std::vector<int>> _loopBody;  // per header: members (sorted)
    std::vector<char> _header;
    std::vector<char> _generated;
    std::vector<char> _reachesOpenEnd;  // per node: may run off the end of the part
    std::vector<int> _claimedBy;        // per node: the loop header that places it after itself, or -1
};

class Structurer {
public:
    Structurer(Cfg& cfg, RegionTree& tree, Budget& budget) : cfg(cfg), tree(tree), budget(budget) {}

    StmtList run() {
        int top = cfg.entry;
        while (tree.nodes[static_cast<size_t>(top)].parent >= 0) top = tree.nodes[static_cast<size_t>(top)].parent;
        return Level(*this, -1, 0, top).run();
    }

    const Node& node(int n) const { return tree.nodes[static_cast<size_t>(n)]; }
    const Block& block(int b) const { return cfg.blocks[static_cast<size_t>(b)]; }
    uint32_t startPc(int n) const { return block(node(n).entryBlock).startPc; }
    int newLabel() { return ++labels; }

    Cfg& cfg;
    RegionTree& tree;
    Budget& budget;
    std::vector<Scope> scopes;
    int labels = 0;
    int depth = 0;
};

Level::Level(Structurer& s, int parent, int part, int entry) : _s(s), _parent(parent), _part(part), _entry(entry) {}

StmtList Level::run() {
    analyse();
    return doTree(_entry);
}

int Level::levelNode(int block) const {
    int n = block;
    for (size_t guard = 0; guard <= _s.tree.nodes.size(); ++guard) {
        const Node& node = _s.node(n);
        if (node.parent == _parent && (node.parent < 0 || node.part == _part)) return n;
        if (node.parent < 0) return -1;
        if (node.parent == _parent) return -1;  // another part of the same compound
        n = node.parent;
    }
    return -1;
}

// Repeats are passed on: they cannot change a list of distinct level nodes.
template <typename F> void Level::forEachExit(int n, F&& f) const {
    const Node& node = _s.node(n);
    if (node.block >= 0) {
        for (int t : _s.block(node.block).succ) f(t);
        return;
    }
    for (int b : node.blocks) {
        for (int t : _s.block(b).succ) {
            const bool inside = std::find(node.blocks.begin(), node.blocks.end(), t) != node.blocks.end();
            if (!inside || t == node.entryBlock) f(t);
        }
    }
}

std::vector<int> Level::successors(int n) const {
    std::vector<int> result;
    forEachExit(n, [&](int t) {
        const int m = levelNode(t);
        if (m >= 0 && (m != n || t == _s.node(m).entryBlock) && std::find(result.begin(), result.end(), m) == result.end()) {
            result.push_back(m);
        }
    });
    return result;
}

void Level::analyse() {
    const size_t size = _s.tree.nodes.size();
    _rpo.assign(size, -1);
    _preds.assign(size, {});
    _header.assign(size, 0);
    _generated.assign(size, 0);
    _loopBody.assign(size, {});
    _succ.assign(size, {});
    depthFirstOrder();
    markOpenEnds();
    dominatorTree();
    naturalLoops();
}

void Level::depthFirstOrder() {
    const size_t size = _s.tree.nodes.size();
    std::vector<char> seen(size, 0);
    // Each frame holds a node and how many of its successors are still to
    // visit; they are taken last first.
    std::vector<std::pair<int, size_t>> stack;
    auto enter = [&](int n) {
        seen[static_cast<size_t>(n)] = 1;
        _succ[static_cast<size_t>(n)] = successors(n);
        stack.push_back({n, _succ[static_cast<size_t>(n)].size()});
    };
    enter(_entry);
    std::vector<int> post;
    while (!stack.empty()) {
        _s.budget.spend();
        auto& [n, remaining] = stack.back();
        if (remaining > 0) {
            const int m = successorsOf(n)[--remaining];
            if (!seen[static_cast<size_t>(m)]) enter(m);
        } else {
            post.push_back(n);
            stack.pop_back();
        }
    }
    _order.assign(post.rbegin(), post.rend());
    for (size_t i = 0; i < _order.size(); ++i) _rpo[static_cast<size_t>(_order[i])] = static_cast<int>(i);
    for (int n : _order) {
        for (int m : successorsOf(n)) _preds[static_cast<size_t>(m)].push_back(n);
    }
}

void Level::dominatorTree() {
    const size_t size = _s.tree.nodes.size();
    _idom = dominators(_order, _preds, size, _s.budget);
    _children.assign(size, {});
    for (int m : _order) {
        const int d = _idom[static_cast<size_t>(m)];
        if (d >= 0 && d != m) _children[static_cast<size_t>(d)].push_back(m);
    }
}

void Level::naturalLoops() {
    for (int n : _order) {
        for (int m : successorsOf(n)) {
            if (_rpo[static_cast<size_t>(m)] > _rpo[static_cast<size_t>(n)]) continue;
            // a back edge: its target must dominate its source
            int d = n;
            while (d != m && _idom[static_cast<size_t>(d)] != d) d = _idom[static_cast<size_t>(d)];
            if (d != m) throw Unsupported{"irreducible control flow"};
            _header[static_cast<size_t>(m)] = 1;
            // natural loop: everything reaching the back edge's source without passing the header
            auto& body = _loopBody[static_cast<size_t>(m)];
            std::vector<int> work{n};
            if (std::find(body.begin(), body.end(), m) == body.end()) body.push_back(m);
            while (!work.empty()) {
                _s.budget.spend();
                const int x = work.back();
                work.pop_back();
                if (std::find(body.begin(), body.end(), x) != body.end()) continue;
                body.push_back(x);
                for (int p : _preds[static_cast<size_t>(x)]) work.push_back(p);
            }
        }
    }
}

// A block that ends without a jump, return or throw: the end of a finally
// body once its rethrow is gone. Control runs off the part there, so its code
// must come last.
bool Level::isOpenEnd(int n) const {
    const Node& node = _s.node(n);
    if (node.block < 0) return false;
    const Block& b = _s.block(node.block);
    if (b.exit != BlockExit::End) return false;
    if (b.stmts.empty()) return true;
    const StmtKind last = b.stmts.back()->kind;
    return last != StmtKind::Return && last != StmtKind::Throw;
}

void Level::markOpenEnds() {
    _reachesOpenEnd.assign(_s.tree.nodes.size(), 0);
    _claimedBy.assign(_s.tree.nodes.size(), -1);
    std::vector<int> work;
    for (int n : _order) {
        if (isOpenEnd(n)) work.push_back(n);
    }
    while (!work.empty()) {
        _s.budget.spend();
        const int n = work.back();
        work.pop_back();
        if (_reachesOpenEnd[static_cast<size_t>(n)]) continue;
        _reachesOpenEnd[static_cast<size_t>(n)] = 1;
        for (int p : _preds[static_cast<size_t>(n)]) work.push_back(p);
    }
}

// A loop leaving to code that runs off the end of the part (a finally body's
// end) must have that code after it: inlined where the loop leaves, control
// would go on round the loop. The outermost such loop claims it.
void Level::claimOpenExits(int header, std::vector<int>& placed) {
    for (int k : _order) {
        _s.budget.spend();
        if (!_reachesOpenEnd[static_cast<size_t>(k)] || _claimedBy[static_cast<size_t>(k)] >= 0 || inLoop(header, k)) continue;
        const int d = _idom[static_cast<size_t>(k)];
        if (d < 0 || d == k || !inLoop(header, d)) continue;
        _claimedBy[static_cast<size_t>(k)] = header;
        if (std::find(placed.begin(), placed.end(), k) == placed.end()) placed.push_back(k);
    }
}

int Level::forwardPreds(int n) const {
    int count = 0;
    for (int p : _preds[static_cast<size_t>(n)]) {
        if (_rpo[static_cast<size_t>(p)] < _rpo[static_cast<size_t>(n)]) ++count;
    }
    return count;
}

bool Level::hasCompoundPred(int n) const {
    for (int p : _preds[static_cast<size_t>(n)]) {
        if (_s.tree.isCompound(p) && _rpo[static_cast<size_t>(p)] < _rpo[static_cast<size_t>(n)]) return true;
    }
    return false;
}

bool Level::inLoop(int header, int n) const {
    const auto& body = _loopBody[static_cast<size_t>(header)];
    return std::find(body.begin(), body.end(), n) != body.end();
}

std::vector<int> Level::domChildren(int n) const {
    std::vector<int> kids = _children[static_cast<size_t>(n)];
    // highest reverse-postorder number first: it is placed last
    std::sort(kids.begin(), kids.end(), [&](int a, int b) { return _rpo[static_cast<size_t>(a)] > _rpo[static_cast<size_t>(b)]; });
    return kids;
}

StmtList Level::doTree(int n) {
    _s.budget.spend();
    // every nested tree is a few native frames; keep well inside the stack
    if (++_s.depth > 1500) throw Unsupported{"control flow nested too deeply"};
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{_s.depth};
    if (_generated[static_cast<size_t>(n)]++) throw Unsupported{"block reached twice while structuring"};
    const bool compound = _s.tree.isCompound(n);
    const Node& node = _s.node(n);
    const bool isSwitch = !compound && _s.block(node.block).exit == BlockExit::Switch;
    const std::vector<int> arms = isSwitch ? armsOf(n) : std::vector<int>();
    std::vector<int> placed;
    for (int k : domChildren(n)) {
        const bool arm = std::find(arms.begin(), arms.end(), k) != arms.end();
        if (arm) continue;
        const int claimer = _claimedBy[static_cast<size_t>(k)];
        if (claimer >= 0 && claimer != n) continue;
        if (compound || isMerge(k) || (_header[static_cast<size_t>(n)] && !inLoop(n, k))) placed.push_back(k);
    }
    if (_header[static_cast<size_t>(n)]) claimOpenExits(n, placed);
    // The first placed goes last: whatever runs off the end of the part.
    std::stable_partition(placed.begin(), placed.end(), [&](int k) { return _reachesOpenEnd[static_cast<size_t>(k)] != 0; });
    if (!_header[static_cast<size_t>(n)]) return nodeWithin(n, placed);
    std::vector<int> exits, inner;
    for (int k : placed) (inLoop(n, k) ? inner : exits).push_back(k);
    return wrap(exits, 0, [&] {
        auto loop = makeStmt(StmtKind::Loop);
        loop->label = _s.newLabel();
        _s.scopes.push_back({true, n, loop->label});
        loop->body = nodeWithin(n, inner);
        _s.scopes.pop_back();
        return StmtList{loop};
    });
}

StmtList Level::nodeWithin(int n, const std::vector<int>& placed) {
    return wrap(placed, 0, [&] {
        StmtList code = codeOf(n);
        StmtList jumps = branches(n);
        code.insert(code.end(), std::make_move_iterator(jumps.begin()), std::make_move_iterator(jumps.end()));
        return code;
    });
}

template <typename Inner> StmtList Level::wrap(const std::vector<int>& ys, size_t from, const Inner& inner) {
    if (from == ys.size()) return inner();
    const int y = ys[from];
    auto block = makeStmt(StmtKind::Block);
    block->label = _s.newLabel();
    _s.scopes.push_back({false, y, block->label});
    block->body = wrap(ys, from + 1, inner);
    _s.scopes.pop_back();
    StmtList result{block};
    StmtList after = doTree(y);
    result.insert(result.end(), std::make_move_iterator(after.begin()), std::make_move_iterator(after.end()));
    return result;
}

StmtList Level::codeOf(int n) {
    const Node& node = _s.node(n);
    if (node.block >= 0) return _s.cfg.blocks[static_cast<size_t>(node.block)].stmts;
    if (node.sync) {
        auto s = makeStmt(StmtKind::Synchronized, node.lock);
        s->body = Level(_s, n, 0, node.parts[0].entry).run();
        return {s};
    }
    auto s = makeStmt(StmtKind::Try);
    s->body = Level(_s, n, 0, node.parts[0].entry).run();
    for (size_t p = 1; p < node.parts.size(); ++p) {
        const RegionPart& part = node.parts[p];
        if (part.isFinally) {
            s->finallyBody = Level(_s, n, static_cast<int>(p), part.entry).run();
            continue;
        }
        for (const std::string& type : part.types) {
            CatchClause clause;
            clause.types = {type};
            clause.var = part.caught;
            clause.body = Level(_s, n, static_cast<int>(p), part.entry).run();
            s->catches.push_back(std::move(clause));
        }
    }
    mergeCatchesIntoFinally(*s);
    return {s};
}

StmtList Level::branches(int n) {
    const Node& node = _s.node(n);
    if (node.block < 0) return {};
    const Block& b = _s.block(node.block);
    switch (b.exit) {
    case BlockExit::End: return {};
    case BlockExit::Goto: return doBranch(n, b.succ[0]);
    case BlockExit::Cond: {
        if (b.succ[0] == b.succ[1]) {
            // both ways lead to the same place: only the test's effects remain
            StmtList code{makeStmt(StmtKind::If, b.cond)};
            StmtList next = doBranch(n, b.succ[0]);
            code.insert(code.end(), next.begin(), next.end());
            return code;
        }
        // javac jumps around the then-branch, so the fall-through edge is the
        // source's then-branch.
        auto s = makeStmt(StmtKind::If, negate(b.cond));
        s->body = doBranch(n, b.succ[1]);
        s->elseBody = doBranch(n, b.succ[0]);
        return {s};
    }
    case BlockExit::Switch: return switchCode(n, b);
    }
    return {};
}

std::vector<int> Level::armsOf(int n) const {
    const Block& b = _s.block(_s.node(n).block);
    std::vector<int> arms;
    for (int t : b.succ) {
        const int m = levelNode(t);
        if (m < 0 || m == n || _idom[static_cast<size_t>(m)] != n || _header[static_cast<size_t>(m)]) continue;
        if (_s.node(m).entryBlock != t) continue;
        if (std::find(arms.begin(), arms.end(), m) == arms.end()) arms.push_back(m);
    }
    std::sort(arms.begin(), arms.end(), [&](int a, int c) { return _s.startPc(a) < _s.startPc(c); });
    // The default target, when it is the last arm and joined from elsewhere,
    // is where the switch ends.
    const int def = levelNode(b.succ[0]);
    if (!arms.empty() && arms.back() == def && isMerge(def)) arms.pop_back();
    return arms;
}

StmtList Level::switchCode(int n, const Block& b) {
    const std::vector<int> arms = armsOf(n);
    auto s = makeStmt(StmtKind::Switch, b.cond);
    std::vector<SwitchArm> jumps, bodies(arms.size());
    auto armIndex = [&](int target) -> int {
        const int m = levelNode(target);
        for (size_t i = 0; i < arms.size(); ++i) {
            if (arms[i] == m && _s.node(m).entryBlock == target) return static_cast<int>(i);
        }
        return -1;
    };
    // keys grouped by target, in key order
    std::vector<int> jumpTargets;
    for (size_t i = 0; i <= b.keys.size(); ++i) {
        const int target = b.succ[i == 0 ? 0 : i];
        const int arm = armIndex(target);
        SwitchArm* into = nullptr;
        if (arm >= 0) into = &bodies[static_cast<size_t>(arm)];
        else {
            auto it = std::find(jumpTargets.begin(), jumpTargets.end(), target);
            if (it == jumpTargets.end()) {
                jumpTargets.push_back(target);
                jumps.emplace_back();
                into = &jumps.back();
            } else {
                into = &jumps[static_cast<size_t>(it - jumpTargets.begin())];
            }
        }
        if (i == 0) into->isDefault = true;
        else into->keys.push_back(b.keys[i - 1]);
    }
    for (size_t j = 0; j < jumps.size(); ++j) jumps[j].body = doBranch(n, jumpTargets[j]);
    for (size_t i = 0; i < arms.size(); ++i) {
        auto block = makeStmt(StmtKind::Block);
        block->label = _s.newLabel();
        const bool fallsInto = i + 1 < arms.size();
        if (fallsInto) _s.scopes.push_back({false, arms[i + 1], block->label});
        block->body = doTree(arms[i]);
        if (fallsInto) _s.scopes.pop_back();
        bodies[i].body = {block};
    }
    s->arms = std::move(jumps);
    for (SwitchArm& arm : bodies) s->arms.push_back(std::move(arm));
    return {s};
}

StmtList Level::doBranch(int from, int targetBlock) {
    _s.budget.spend();
    const int m = levelNode(targetBlock);
    const bool entersNode = m >= 0 && _s.node(m).entryBlock == targetBlock;
    for (size_t i = _s.scopes.size(); i-- > 0;) {
        const Scope& scope = _s.scopes[i];
        if (_s.node(scope.node).entryBlock != targetBlock) continue;
        if (m >= 0 && scope.node != m) continue;
        auto jump = makeStmt(scope.loop ? StmtKind::Continue : StmtKind::Break);
        jump->target = scope.label;
        return {jump};
    }
    if (m < 0 || !entersNode) throw Unsupported{"jump into the middle of a region"};
    if (_rpo[static_cast<size_t>(m)] <= _rpo[static_cast<size_t>(from)]) throw Unsupported{"back edge without its loop"};
    if (forwardPreds(m) != 1) throw Unsupported{"unstructured jump"};
    return doTree(m);
}

}  // namespace

StmtList structure(Cfg& cfg, RegionTree& regions, Budget& budget) {
    return Structurer(cfg, regions, budget).run();
}

}  // namespace jad::body
