#include "body/synthetic/RecordPatterns.h"

#include <algorithm>
#include <map>
#include <set>

#include "body/synthetic/RecordChain.h"

namespace jad::body {

namespace {

const char* const Bootstraps = "java/lang/runtime/SwitchBootstraps";

bool isLocal(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

// `v = value` into a local: v, else null.
Var* storedLocal(const Stmt& s) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return nullptr;
    const Expr& target = *s.expr->args[0];
    return target.kind == ExprKind::Local ? target.var.get() : nullptr;
}

template <typename F> void forEachBlockExpr(const Cfg& cfg, F&& f) {
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        for (const StmtPtr& s : b.stmts) forEachExpr(s->expr, f);
        forEachExpr(b.cond, f);
    }
}

// Per local, how often the blocks mention it, and how often they store into it.
struct Uses {
    std::map<const Var*, int> reads, stores;
};

Uses usesIn(const Cfg& cfg) {
    Uses uses;
    forEachBlockExpr(cfg, [&](const ExprPtr& x) {
        if (x->kind == ExprKind::Local) ++uses.reads[x->var.get()];
        const bool writes = x->kind == ExprKind::Assign || x->kind == ExprKind::CompoundAssign ||
                            x->kind == ExprKind::PreIncrement || x->kind == ExprKind::PostIncrement;
        if (writes && x->args[0]->kind == ExprKind::Local) ++uses.stores[x->args[0]->var.get()];
    });
    return uses;
}


// `index = key;` going to `sw` alone: the restart at `key`; nothing when not.
std::optional<int64_t> restartKey(const Block& b, int sw, const Var* index) {
    if (b.removed || b.exit != BlockExit::Goto || b.succ.size() != 1 || b.succ[0] != sw || b.stmts.size() != 1)
        return std::nullopt;
    const Stmt& s = *b.stmts[0];
    if (storedLocal(s) != index) return std::nullopt;
    const Expr& v = *s.expr->args[1];
    if (v.kind != ExprKind::Literal || v.literal.tag != 'I') return std::nullopt;
    return v.literal.integer;
}

int restartBlock(const Cfg& cfg, int sw, const Var* index, int64_t key) {
    for (const Block& b : cfg.blocks) {
        if (restartKey(b, sw, index) == key) return b.id;
    }
    return -1;
}

StmtPtr storeOf(const ExprPtr& index, int64_t key) {
    auto store = makeExpr(ExprKind::Assign, index->type);
    store->args = {index, makeIntLiteral(key)};
    return makeStmt(StmtKind::Expr, store);
}

// Every store into `index` gives it a constant: 0 where it starts, a
// label's number in the restarts.
bool onlyConstantStores(const Cfg& cfg, const Var* index, int sw) {
    bool constant = true;
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        const bool restart = restartKey(b, sw, index).has_value();
        for (const StmtPtr& s : b.stmts) {
            forEachExpr(s->expr, [&](const ExprPtr& x) {
                if (x->kind == ExprKind::Local || x->args.empty() || !isLocal(*x->args[0], index)) return;
                if (x->kind != ExprKind::Assign) {
                    constant = constant && x->kind != ExprKind::CompoundAssign && x->kind != ExprKind::PreIncrement &&
                               x->kind != ExprKind::PostIncrement;
                    return;
                }
                const Expr& v = *x->args[1];
                constant = constant && v.kind == ExprKind::Literal && v.literal.tag == 'I' && (restart || v.literal.integer == 0);
            });
        }
    }
    return constant;
}

// `e` with each read of `from` a read of `to`.
ExprPtr substitute(const ExprPtr& e, const Var* from, const VarPtr& to) {
    if (isLocal(*e, from)) return makeLocal(to);
    auto copy = std::make_shared<Expr>(*e);
    for (ExprPtr& arg : copy->args) arg = substitute(arg, from, to);
    return copy;
}

// A merged case, taken apart: the outer label `key` becomes one label per inner case.
struct Merge {
    int sw = -1;
    int32_t key = 0;
    const MergedHead* head = nullptr;
    std::vector<int> targets;  // the inner cases', in label order
    bool restarts = false;     // a guard or test of an inner case restarts the inner switch
};

class Folder {
public:
    Folder(Cfg& cfg, const Hierarchy& hierarchy) : _cfg(cfg), _hierarchy(hierarchy) {}

    void markWrappers(const std::vector<ExceptionHandler>& handlers) {
        _wrapper.assign(handlers.size(), 0);
        for (size_t h = 0; h < handlers.size(); ++h) _wrapper[h] = isMatchExceptionWrapper(_cfg, handlers[h]);
    }

    const std::vector<VarPtr>& fresh() const { return _fresh; }
    bool anyWrapper() const { return std::count(_wrapper.begin(), _wrapper.end(), 1) > 0; }

    // False when the handler would still cover code.
    bool run(bool tests) {
        for (const Block& b : _cfg.blocks) {
            if (!b.removed && b.exit == BlockExit::Switch) foldSwitch(b.id);
            if (tests && !b.removed && b.exit == BlockExit::Cond) foldInstanceOf(b.id);
        }
        if (_chains.empty() || !readsKept()) return false;
        rewriteStatements();
        for (const auto& [sw, merges] : _merges) {
            if (!renumber(sw, merges)) return false;
        }
        return finish();
    }

    bool foldedTests() const { return _foldedTests; }

private:
    void foldSwitch(int sw);
    void foldInstanceOf(int test);
    bool foldMerged(int sw, int32_t key, const RecordChain& chain, const Var* index);
    bool readsKept() const;
    void rewriteStatements();
    int headerFor(int sw, const std::vector<Merge>& merges) const;
    bool spreadCases(const Block& outer, const std::vector<Merge>& merges, const std::vector<int64_t>& start,
                     std::vector<int32_t>& keys, std::vector<int>& succ) const;
    bool renumber(int sw, const std::vector<Merge>& merges);
    bool finish();

    Cfg& _cfg;
    const Hierarchy& _hierarchy;
    std::vector<char> _wrapper;
    std::vector<std::unique_ptr<RecordChain>> _chains;
    std::vector<std::unique_ptr<RecordChain>> _mergedHeads;
    std::map<int, std::vector<Merge>> _merges;
    std::vector<VarPtr> _fresh;  // temporaries made for the inner cases
    std::set<int> _headers;      // inner switches that the outer switch moved into
    bool _foldedTests = false;   // a chain after an instanceof test was read
};

// `(x instanceof R) == 0` (evaluated last), its failure going to succ[0]
// and its match into the chain at succ[1]: `x instanceof R(...)`, every failed test of the
// chain going where the instanceof's failure goes.
void Folder::foldInstanceOf(int test) {
    const Block& b = _cfg.blocks[static_cast<size_t>(test)];
    const Expr* c = b.cond.get();
    // `a || (x instanceof R) == 0`: the chain follows the last test
    while (c && c->kind == ExprKind::Binary && c->op == "||") c = c->args[1].get();
    if (!c || b.succ.size() != 2 || c->kind != ExprKind::Binary || c->op != "==") return;
    const Expr& tested = *c->args[0];
    const Expr& zero = *c->args[1];
    if (tested.kind != ExprKind::InstanceOf || tested.var || tested.args[0]->kind != ExprKind::Local) return;
    if (zero.kind != ExprKind::Literal || zero.literal.tag != 'I' || zero.literal.integer != 0) return;
    const int target = b.succ[1];
    const Block& start = _cfg.blocks[static_cast<size_t>(target)];
    if (start.handlerEntry || start.preds.size() != 1 || start.preds[0] != test || target == b.succ[0]) return;
    auto chain = std::make_unique<RecordChain>(_cfg, _hierarchy, _wrapper);
    if (!chain->read(target, b.succ[0], tested.args[0]->var.get()) || chain->merged()) return;
    if (chain->pattern()->recordClass != tested.owner) return;
    _chains.push_back(std::move(chain));
    _foldedTests = true;
}

void Folder::foldSwitch(int sw) {
    // a merged case's inner switch is read with its outer one
    for (const auto& [outer, merges] : _merges) {
        for (const Merge& m : merges) {
            if (m.head->innerSwitch == sw) return;
        }
    }
    const Block& b = _cfg.blocks[static_cast<size_t>(sw)];
    const Expr* call = b.cond.get();
    if (!call || call->kind != ExprKind::Invoke || call->owner != Bootstraps || call->name != "typeSwitch" ||
        call->args.size() < 2 || call->args[0]->kind != ExprKind::Local || call->args[1]->kind != ExprKind::Local)
        return;
    const Var* copy = call->args[0]->var.get();
    const Var* index = call->args[1]->var.get();
    for (size_t i = 0; i < b.keys.size() && i + 1 < b.succ.size(); ++i) {
        const int32_t key = b.keys[i];
        const int target = b.succ[i + 1];
        if (key < 0 || static_cast<size_t>(key) + 2 >= call->args.size()) continue;
        if (call->args[static_cast<size_t>(key) + 2]->kind != ExprKind::ClassLiteral) continue;
        if (std::count(b.succ.begin(), b.succ.end(), target) != 1) continue;
        auto chain = std::make_unique<RecordChain>(_cfg, _hierarchy, _wrapper);
        if (!chain->read(target, restartBlock(_cfg, sw, index, key + 1), copy)) continue;
        if (!chain->merged()) {
            _chains.push_back(std::move(chain));
        } else if (foldMerged(sw, key, *chain, index)) {
            _mergedHeads.push_back(std::move(chain));
        }
    }
}

// Each inner case read on from the merged head: all of them, or the case stays.
bool Folder::foldMerged(int sw, int32_t key, const RecordChain& chain, const Var* index) {
    const MergedHead& head = *chain.merged();
    const Block& inner = _cfg.blocks[static_cast<size_t>(head.innerSwitch)];
    const Expr& call = *inner.cond;
    const size_t labels = call.args.size() - 2;
    const int outerRestart = restartBlock(_cfg, sw, index, key + 1);
    if (inner.succ.empty()) return false;
    // nothing matched: the outer switch goes on past the case (as it does for
    // null, unless the value is boxed); else the default is the last case,
    // its pattern the component's own type
    const int defaultTarget = outerRestart >= 0 && inner.succ[0] == outerRestart ? -1 : inner.succ[0];
    Merge merge{sw, key, &head, std::vector<int>(labels, -1)};
    int nullTarget = -1;
    for (size_t i = 0; i < inner.keys.size() && i + 1 < inner.succ.size(); ++i) {
        if (inner.keys[i] == -1) nullTarget = inner.succ[i + 1];
    }
    for (size_t i = 0; i < inner.keys.size() && i + 1 < inner.succ.size(); ++i) {
        const int32_t k = inner.keys[i];
        const int target = inner.succ[i + 1];
        if (k == -1 && (target == outerRestart || !head.boxed.empty() || target == defaultTarget)) continue;
        if (k < 0 || static_cast<size_t>(k) >= labels || merge.targets[static_cast<size_t>(k)] >= 0) return false;
        if (std::count(inner.succ.begin(), inner.succ.end(), target) != 1 + (target == nullTarget)) return false;
        merge.targets[static_cast<size_t>(k)] = target;
    }
    // the default is the case of a last label javac left without a number of its own
    bool lastIsDefault = false;
    if (defaultTarget >= 0) {
        const long uses = std::count(inner.succ.begin(), inner.succ.end(), defaultTarget);
        if (uses != 1 + (defaultTarget == nullTarget)) return false;
        lastIsDefault = labels > 0 && merge.targets[labels - 1] < 0;
        if (lastIsDefault) merge.targets[labels - 1] = defaultTarget;
        else merge.targets.push_back(defaultTarget);
    }
    for (size_t j = 1; j <= merge.targets.size(); ++j) {
        merge.restarts = merge.restarts || restartBlock(_cfg, head.innerSwitch, head.innerIndex, static_cast<int64_t>(j)) >= 0;
    }
    std::vector<std::unique_ptr<RecordChain>> read;
    for (size_t j = 0; j < merge.targets.size(); ++j) {
        const Expr* label = j < labels ? call.args[j + 2].get() : nullptr;
        if (merge.targets[j] < 0 || (label && label->kind != ExprKind::ClassLiteral)) return false;
        auto innerChain = std::make_unique<RecordChain>(chain);
        const int restart = restartBlock(_cfg, head.innerSwitch, head.innerIndex, static_cast<int64_t>(j) + 1);
        const std::optional<JavaType> tested = label ? std::optional<JavaType>(typeOfClassName(label->owner)) : std::nullopt;
        const bool total = !label || (lastIsDefault && j + 1 == labels);
        if (!innerChain->readInner(merge.targets[j], restart, tested ? &*tested : nullptr, total)) return false;
        read.push_back(std::move(innerChain));
    }
    for (auto& c : read) _chains.push_back(std::move(c));
    _merges[sw].push_back(merge);
    return true;
}

// The temporaries are read by the chains alone; a binding is stored there alone.
bool Folder::readsKept() const {
    std::map<const Var*, int> chainReads;
    std::set<std::pair<int, size_t>> counted;
    std::set<int> countedTests;
    auto count = [&](const ExprPtr& e) {
        forEachExpr(e, [&](const ExprPtr& x) { if (x->kind == ExprKind::Local) ++chainReads[x->var.get()]; });
    };
    for (const auto& chain : _chains) {
        for (const ChainPlace& p : chain->taken()) {
            if (counted.insert({p.block, p.index}).second) count(_cfg.blocks[static_cast<size_t>(p.block)].stmts[p.index]->expr);
        }
        for (int t : chain->tests()) {
            if (countedTests.insert(t).second) count(_cfg.blocks[static_cast<size_t>(t)].cond);
        }
    }
    // a merged case's inner switch goes with its cases
    for (const auto& [sw, merges] : _merges) {
        for (const Merge& m : merges) count(_cfg.blocks[static_cast<size_t>(m.head->innerSwitch)].cond);
    }
    Uses uses = usesIn(_cfg);
    for (const auto& chain : _chains) {
        for (const auto& binding : chain->bindings()) {
            if (uses.stores[binding.first.get()] != 1) return false;
        }
        for (const Var* t : chain->temporaries()) {
            if (uses.reads[t] != chainReads[t]) return false;
        }
    }
    return true;
}

// Each chain's statements out, its head (standing for the pattern) and its
// binding stores in; its tests no longer branch.
void Folder::rewriteStatements() {
    std::map<int, std::set<size_t>> erase;
    std::map<int, std::map<size_t, StmtList>> insert;
    for (const auto& chain : _chains) {
        for (const ChainPlace& p : chain->taken()) erase[p.block].insert(p.index);
        const Expr& store = *chain->headStore();
        const ExprPtr& value = store.args[1];
        // the head is a cast, made where the value had the record's type already
        auto cast = value->kind == ExprKind::Cast ? std::make_shared<Expr>(*value)
                                                  : makeCast(objectType(chain->pattern()->recordClass), value);
        cast->pattern = chain->pattern();
        auto head = std::make_shared<Expr>(store);
        // the inner cases of a merged case each have a temporary of their own
        const VarPtr& record = store.args[0]->var;
        VarPtr own = record;
        if (chain->inner()) {
            own = std::make_shared<Var>(*record);
            _fresh.push_back(own);
        }
        head->args = {makeLocal(own), cast};
        StmtList stmts{makeStmt(StmtKind::Expr, head)};
        for (const auto& [var, value] : chain->bindings()) {
            auto bind = makeExpr(ExprKind::Assign, var->type);
            bind->args = {makeLocal(var), substitute(value, record.get(), own)};
            stmts.push_back(makeStmt(StmtKind::Expr, bind));
        }
        insert[chain->head().block][chain->head().index] = std::move(stmts);
        for (int t : chain->tests()) {
            Block& b = _cfg.blocks[static_cast<size_t>(t)];
            b.exit = BlockExit::Goto;
            b.succ = {b.succ[1]};
            b.cond = nullptr;
        }
    }
    std::set<int> blocks;
    for (const auto& [b, _] : erase) blocks.insert(b);
    for (const auto& [b, _] : insert) blocks.insert(b);
    for (int block : blocks) {
        StmtList& stmts = _cfg.blocks[static_cast<size_t>(block)].stmts;
        const std::set<size_t>& gone = erase[block];
        std::map<size_t, StmtList>& added = insert[block];
        StmtList kept;
        for (size_t i = 0; i <= stmts.size(); ++i) {
            auto at = added.find(i);
            if (at != added.end()) kept.insert(kept.end(), at->second.begin(), at->second.end());
            if (i < stmts.size() && !gone.count(i)) kept.push_back(stmts[i]);
        }
        stmts = std::move(kept);
    }
}

// The outer switch's labels with each merged case spread into its inner
// cases: the labels after them, and the restarts, renumbered.
// Where the renumbered switch goes: a restart runs it again, so its block
// must hold it alone. Without a restart of its own the outer switch shares
// its block with the selector's copy; the one merged case's inner switch,
// which the restarts entered and which comes before the cases, takes it.
int Folder::headerFor(int sw, const std::vector<Merge>& merges) const {
    const Block& outer = _cfg.blocks[static_cast<size_t>(sw)];
    bool restarts = false;
    for (const Merge& m : merges) restarts = restarts || m.restarts;
    if (outer.stmts.empty() || !restarts) return sw;
    if (merges.size() != 1) return -1;
    const Block& inner = _cfg.blocks[static_cast<size_t>(merges[0].head->innerSwitch)];
    auto after = [&](int target) { return _cfg.blocks[static_cast<size_t>(target)].startPc > inner.startPc; };
    if (outer.succ.empty() || !after(outer.succ[0])) return -1;
    for (size_t i = 0; i < outer.keys.size() && i + 1 < outer.succ.size(); ++i) {
        if (outer.keys[i] != merges[0].key && !after(outer.succ[i + 1])) return -1;
    }
    for (int target : merges[0].targets) {
        if (!after(target)) return -1;
    }
    return inner.id;
}

// The outer switch's case numbers after the spreading: a merged case's
// inner cases in its place. (typeSwitch gives at most the number of labels.)
bool Folder::spreadCases(const Block& outer, const std::vector<Merge>& merges, const std::vector<int64_t>& start,
                         std::vector<int32_t>& keys, std::vector<int>& succ) const {
    for (size_t i = 0; i < outer.keys.size() && i + 1 < outer.succ.size(); ++i) {
        const int32_t key = outer.keys[i];
        if (key < 0) {
            keys.push_back(key);
            succ.push_back(outer.succ[i + 1]);
            continue;
        }
        if (static_cast<size_t>(key) >= start.size()) return false;
        auto merge = std::find_if(merges.begin(), merges.end(), [&](const Merge& m) { return m.key == key; });
        if (merge == merges.end()) {
            keys.push_back(static_cast<int32_t>(start[static_cast<size_t>(key)]));
            succ.push_back(outer.succ[i + 1]);
            continue;
        }
        for (size_t j = 0; j < merge->targets.size(); ++j) {
            keys.push_back(static_cast<int32_t>(start[static_cast<size_t>(key)] + static_cast<int64_t>(j)));
            succ.push_back(merge->targets[j]);
        }
    }
    return true;
}

bool Folder::renumber(int sw, const std::vector<Merge>& merges) {
    const int header = headerFor(sw, merges);
    if (header < 0) return false;
    Block& outer = _cfg.blocks[static_cast<size_t>(sw)];
    const Expr& call = *outer.cond;
    const size_t labels = call.args.size() - 2;
    std::vector<int64_t> width(labels, 1);
    for (const Merge& m : merges) width[static_cast<size_t>(m.key)] = static_cast<int64_t>(m.targets.size());
    std::vector<int64_t> start(labels + 1, 0);
    for (size_t k = 0; k < labels; ++k) start[k + 1] = start[k] + width[k];
    auto spread = std::make_shared<Expr>(call);
    spread->args.resize(2);
    for (size_t k = 0; k < labels; ++k) {
        for (int64_t j = 0; j < width[k]; ++j) spread->args.push_back(call.args[k + 2]);
    }
    std::vector<int32_t> keys;
    std::vector<int> succ{outer.succ[0]};
    if (!spreadCases(outer, merges, start, keys, succ)) return false;
    const Var* index = call.args[1]->var.get();
    if (!onlyConstantStores(_cfg, index, sw)) return false;
    for (const Merge& m : merges) {
        if (!onlyConstantStores(_cfg, m.head->innerIndex, m.head->innerSwitch)) return false;
    }
    for (Block& b : _cfg.blocks) {
        if (auto key = restartKey(b, sw, index)) {
            if (*key < 0 || static_cast<size_t>(*key) > labels) return false;
            b.stmts = {storeOf(call.args[1], start[static_cast<size_t>(*key)])};
            continue;
        }
        for (const Merge& m : merges) {
            auto key = restartKey(b, m.head->innerSwitch, m.head->innerIndex);
            if (!key) continue;
            if (*key < 1 || static_cast<size_t>(*key) > m.targets.size()) return false;
            b.stmts = {storeOf(call.args[1], start[static_cast<size_t>(m.key)] + *key)};
            b.succ = {header};
        }
    }
    Block& at = _cfg.blocks[static_cast<size_t>(header)];
    if (header != sw) {
        _headers.insert(header);
        outer.exit = BlockExit::Goto;
        outer.succ = {header};
        outer.keys.clear();
        outer.cond = nullptr;
        at.exit = BlockExit::Switch;
    }
    at.cond = spread;
    at.keys = std::move(keys);
    at.succ = std::move(succ);
    return true;
}

// What the handler covered is gone, or the method stays as it was.
bool Folder::finish() {
    for (Block& b : _cfg.blocks) {
        bool wrapped = false;
        for (int h : b.handlers) wrapped = wrapped || _wrapper[static_cast<size_t>(h)];
        if (!wrapped) continue;
        if (!b.stmts.empty() || b.exit != BlockExit::Goto) return false;
        b.handlers.erase(std::remove_if(b.handlers.begin(), b.handlers.end(),
                                        [&](int h) { return _wrapper[static_cast<size_t>(h)] != 0; }),
                         b.handlers.end());
    }
    // a merged case's head and inner switch are left behind, unreached
    for (const auto& [sw, merges] : _merges) {
        for (const Merge& m : merges) {
            if (_headers.count(m.head->innerSwitch)) continue;
            Block& inner = _cfg.blocks[static_cast<size_t>(m.head->innerSwitch)];
            inner.exit = BlockExit::End;
            inner.succ.clear();
            inner.keys.clear();
            inner.cond = nullptr;
        }
    }
    _cfg.recomputePreds();
    // a binding has the type its pattern declares
    for (const auto& chain : _chains) {
        for (const auto& binding : chain->bindings()) {
            Var& var = *binding.first;
            var.type = chain->bindingType(&var);
            var.declaredType = true;
            var.exact = true;
        }
    }
    return true;
}

}  // namespace

bool foldRecordPatternChains(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, const Hierarchy& hierarchy,
                             std::vector<VarPtr>& vars, bool tests) {
    Cfg work = cfg;
    Folder folder(work, hierarchy);
    folder.markWrappers(handlers);
    if (!folder.anyWrapper() || !folder.run(tests)) return false;
    cfg = std::move(work);
    for (const VarPtr& v : folder.fresh()) {
        v->id = static_cast<int>(vars.size()) + 1;
        vars.push_back(v);
    }
    return folder.foldedTests();
}

}  // namespace jad::body
