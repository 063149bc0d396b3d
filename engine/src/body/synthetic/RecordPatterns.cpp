#include "body/synthetic/RecordPatterns.h"

#include <algorithm>
#include <map>
#include <set>
#include <cstdio>
#include <cstdlib>
#define DBG(x) do { if (getenv("RPDBG")) fprintf(stderr, "rp: %s line %d\n", x, __LINE__); } while (0)

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

// catch (Throwable t) { throw new MatchException(t.toString(), t); }
bool isWrapper(const Cfg& cfg, const ExceptionHandler& h) {
    const int at = cfg.blockAt(h.handlerPc);
    if (h.catchType != "java/lang/Throwable" || at < 0) { DBG("fail"); return false; }
    const Block& b = cfg.blocks[static_cast<size_t>(at)];
    if (b.stmts.size() != 2 || b.exit != BlockExit::End) { DBG("fail"); return false; }
    const Var* caught = storedLocal(*b.stmts[0]);
    if (!caught || b.stmts[0]->expr->args[1]->kind != ExprKind::Caught) { DBG("fail"); return false; }
    const Stmt& t = *b.stmts[1];
    if (t.kind != StmtKind::Throw || !t.expr || t.expr->kind != ExprKind::New) { DBG("fail"); return false; }
    const Expr& e = *t.expr;
    if (e.owner != "java/lang/MatchException" || e.descriptor != "(Ljava/lang/String;Ljava/lang/Throwable;)V" ||
        e.args.size() != 2) { DBG("fail"); return false; }
    const Expr& message = *e.args[0];
    return message.kind == ExprKind::Invoke && !message.isStatic && message.name == "toString" &&
           message.descriptor == "()Ljava/lang/String;" && message.args.size() == 1 &&
           isLocal(*message.args[0], caught) && isLocal(*e.args[1], caught);
}

// `1 == 0`: javac's test of a pattern that always matches.
bool isNeverTaken(const Expr& c) {
    auto one = [](const Expr& e, int64_t v) {
        return e.kind == ExprKind::Literal && e.literal.tag == 'I' && e.literal.integer == v;
    };
    return c.kind == ExprKind::Binary && c.op == "==" && one(*c.args[0], 1) && one(*c.args[1], 0);
}

// `(v instanceof T) == 0` with v one of `holders`: T's internal name, else null.
const std::string* failedInstanceOf(const Expr& c, const std::vector<Var*>& holders) {
    if (c.kind != ExprKind::Binary || c.op != "==" || c.args[0]->kind != ExprKind::InstanceOf) return nullptr;
    const Expr& zero = *c.args[1];
    if (zero.kind != ExprKind::Literal || zero.literal.tag != 'I' || zero.literal.integer != 0) return nullptr;
    const Expr& test = *c.args[0];
    if (test.var || test.args[0]->kind != ExprKind::Local) return nullptr;
    const Var* tested = test.args[0]->var.get();
    return std::count(holders.begin(), holders.end(), tested) ? &test.owner : nullptr;
}

struct Place {
    int block = 0;
    size_t index = 0;
};

// One record pattern being read: its temporary, the parts found so far,
// and for each part the value its binding store gives.
struct Node {
    Var* record = nullptr;
    std::string recordClass;
    std::shared_ptr<RecordPattern> pattern;
    ExprPtr value;  // the record's value in terms of the head's temporary
    std::vector<ExprPtr> partValues;
    std::vector<JavaType> partTested;  // the tested type, or 'V' where nothing was tested
    std::vector<char> mustNest;        // tested for null alone: a nested record pattern or nothing
};

JavaType bindingTypeIn(const RecordPattern& pattern, const Var* var) {
    for (const RecordPattern::Part& part : pattern.parts) {
        if (part.binding.get() == var) return part.type;
        if (part.nested) {
            JavaType type = bindingTypeIn(*part.nested, var);
            if (type.base != 'V') return type;
        }
    }
    return JavaType{};
}

class ChainReader {
public:
    ChainReader(Cfg& cfg, const Hierarchy& hierarchy, const std::vector<char>& wrapper)
        : _cfg(cfg), _hierarchy(hierarchy), _wrapper(wrapper) {}

    // The chain of the case at `target`, restarted by block `restart`;
    // false (nothing changed) when it has another shape.
    bool read(int target, int restart, const Var* copy) {
        _at = {target, 0};
        _restart = restart;
        _taken.clear();
        _tests.clear();
        _temporaries.clear();
        _bindings.clear();
        const Stmt* head = peek();
        Var* record = head ? storedLocal(*head) : nullptr;
        if (!record) { DBG("fail"); return false; }
        const Expr& cast = *head->expr->args[1];
        if (cast.kind != ExprKind::Cast || !isLocal(*cast.args[0], copy) || cast.type.dimensions != 0 ||
            cast.type.base != 'L') { DBG("fail"); return false; }
        _head = _at;
        take();
        Node top{record, cast.type.className, std::make_shared<RecordPattern>(), makeLocal(head->expr->args[0]->var), {}, {}, {}};
        _temporaries.push_back(record);
        _headCast = head->expr;
        if (!readNode(top)) { DBG("fail"); return false; }
        _pattern = top.pattern;
        return true;
    }

    std::shared_ptr<RecordPattern> pattern() const { return _pattern; }
    const std::vector<Place>& taken() const { return _taken; }
    const std::vector<int>& tests() const { return _tests; }
    const std::vector<Var*>& temporaries() const { return _temporaries; }
    Place head() const { return _head; }
    const ExprPtr& headCast() const { return _headCast; }
    // The binding stores, in the order of the pattern's parts.
    const std::vector<std::pair<VarPtr, ExprPtr>>& bindings() const { return _bindings; }
    const std::set<int>& wrappedBlocks() const { return _wrappedBlocks; }
    JavaType bindingType(const Var* var) const { return bindingTypeIn(*_pattern, var); }

private:
    const std::vector<RecordComponent>* componentsOf(const std::string& cls) const {
        const ClassFile* file = _hierarchy.find(cls);
        if (!file || !file->record || file->record->empty()) return nullptr;
        return &*file->record;
    }

    bool readNode(Node& node) {
        const std::vector<RecordComponent>* components = componentsOf(node.recordClass);
        if (!components) { DBG("fail"); return false; }
        node.pattern->recordClass = node.recordClass;
        for (const RecordComponent& c : *components) {
            if (!readComponent(node, c)) { DBG("fail"); return false; }
        }
        // nested record patterns: the binding is only the receiver of their accessor calls
        for (size_t i = 0; i < node.pattern->parts.size(); ++i) {
            RecordPattern::Part& part = node.pattern->parts[i];
            if (node.partTested[i].base == 'V' || !componentsOf(node.partTested[i].className) ||
                !startsAccessorOf(part.binding.get())) {
                if (node.mustNest[i]) { DBG("fail"); return false; }
                continue;
            }
            Node child{part.binding.get(), node.partTested[i].className, std::make_shared<RecordPattern>(),
                       node.partValues[i], {}, {}, {}};
            _temporaries.push_back(part.binding.get());
            part.nested = child.pattern;
            part.binding = nullptr;
            if (!readNode(child)) { DBG("fail"); return false; }
        }
        for (size_t i = 0; i < node.pattern->parts.size(); ++i) {
            if (node.pattern->parts[i].binding) _bindings.push_back({node.pattern->parts[i].binding, node.partValues[i]});
        }
        return true;
    }

    bool startsAccessorOf(const Var* record) {
        const Stmt* s = peek();
        if (!s || !storedLocal(*s)) { DBG("fail"); return false; }
        const Expr& call = *s->expr->args[1];
        return call.kind == ExprKind::Invoke && !call.isStatic && call.args.size() == 1 && isLocal(*call.args[0], record);
    }

    bool readComponent(Node& node, const RecordComponent& component);

    // The statement at the reading place, moving on through gotos into
    // blocks nothing else enters; null at a block's end that is no such goto.
    const Stmt* peek() {
        for (size_t steps = 0; steps <= _cfg.blocks.size(); ++steps) {
            const Block& b = _cfg.blocks[static_cast<size_t>(_at.block)];
            if (_at.index < b.stmts.size()) return b.stmts[_at.index].get();
            if (b.exit != BlockExit::Goto || b.succ.size() != 1 || !enteredFrom(b.succ[0], _at.block)) return nullptr;
            _at = {b.succ[0], 0};
        }
        return nullptr;
    }

    bool enteredFrom(int block, int from) const {
        const Block& b = _cfg.blocks[static_cast<size_t>(block)];
        return !b.handlerEntry && b.preds.size() == 1 && b.preds[0] == from;
    }

    void take() {
        _taken.push_back(_at);
        const Block& b = _cfg.blocks[static_cast<size_t>(_at.block)];
        for (int h : b.handlers) {
            if (_wrapper[static_cast<size_t>(h)]) _wrappedBlocks.insert(_at.block);
        }
        ++_at.index;
    }

    // At a block's end that jumps to the restart when its condition holds: the condition.
    const Expr* peekTest() {
        if (peek()) return nullptr;
        const Block& b = _cfg.blocks[static_cast<size_t>(_at.block)];
        if (b.exit != BlockExit::Cond || b.succ.size() != 2 || b.succ[0] != _restart || !b.cond) return nullptr;
        if (!enteredFrom(b.succ[1], _at.block)) return nullptr;
        return b.cond.get();
    }

    void takeTest() {
        _tests.push_back(_at.block);
        _at = {_cfg.blocks[static_cast<size_t>(_at.block)].succ[1], 0};
    }

    bool isWrapped(const Place& p) const {
        for (int h : _cfg.blocks[static_cast<size_t>(p.block)].handlers) {
            if (_wrapper[static_cast<size_t>(h)]) return true;
        }
        { DBG("fail"); return false; }
    }

    // A type that an instanceof test narrows to must not hold every value of
    // the component's type: printed, such a pattern would match null too.
    bool narrows(const std::string& tested, const JavaType& component) const {
        if (!component.isReference()) { DBG("fail"); return false; }
        if (tested == component.className && component.dimensions == 0) { DBG("fail"); return false; }
        if (component.dimensions == 0 && component.className == "java/lang/Object") return true;
        if (component.dimensions != 0) { DBG("fail"); return false; }
        return surelyNotSupertype(tested, component.className, 0);
    }

    bool surelyNotSupertype(const std::string& candidate, const std::string& cls, int depth) const {
        if (cls == candidate || depth > 32) { DBG("fail"); return false; }
        const ClassFile* file = _hierarchy.find(cls);
        if (!file) { DBG("fail"); return false; }
        if (!file->superClass.empty() && !surelyNotSupertype(candidate, file->superClass, depth + 1)) { DBG("fail"); return false; }
        for (const std::string& i : file->interfaces) {
            if (!surelyNotSupertype(candidate, i, depth + 1)) { DBG("fail"); return false; }
        }
        return true;
    }

    Cfg& _cfg;
    const Hierarchy& _hierarchy;
    const std::vector<char>& _wrapper;
    Place _at, _head;
    int _restart = -1;
    ExprPtr _headCast;
    std::shared_ptr<RecordPattern> _pattern;
    std::vector<Place> _taken;
    std::vector<int> _tests;
    std::vector<Var*> _temporaries;
    std::vector<std::pair<VarPtr, ExprPtr>> _bindings;
    std::set<int> _wrappedBlocks;
};

ExprPtr accessorCall(const ExprPtr& receiver, const Expr& call) {
    auto e = std::make_shared<Expr>(call);
    e->args = {receiver};
    return e;
}

// One component: the accessor's value into a temporary, copies of it, at
// most one instanceof test (or javac's test that never fails), and the
// binding: the last copy (or cast) after the last test.
bool ChainReader::readComponent(Node& node, const RecordComponent& component) {
    const std::optional<JavaType> type = parseFieldDescriptor(component.descriptor);
    const Stmt* s = peek();
    Var* first = s ? storedLocal(*s) : nullptr;
    if (!type || !first) { DBG("fail"); return false; }
    const Expr& call = *s->expr->args[1];
    if (call.kind != ExprKind::Invoke || call.isStatic || call.owner != node.recordClass || call.name != component.name ||
        call.descriptor != "()" + component.descriptor || call.args.size() != 1 || !isLocal(*call.args[0], node.record))
        { DBG("fail"); return false; }
    if (!isWrapped(_at)) { DBG("fail"); return false; }
    take();
    std::vector<Var*> holders{first};
    _temporaries.push_back(first);
    Var* binding = nullptr;
    VarPtr bindingPtr;
    JavaType tested;  // 'V': none
    bool cast = false;
    bool mustNest = false;
    for (;;) {
        if (const Expr* c = peekTest()) {
            const std::string* narrowed = isNeverTaken(*c) ? nullptr : failedInstanceOf(*c, holders);
            if (!isNeverTaken(*c) && (!narrowed || tested.base != 'V')) break;
            if (narrowed) {
                tested = typeOfClassName(*narrowed);
                // only a nested record pattern tests what every value of the type matches
                mustNest = !narrows(*narrowed, *type);
            }
            takeTest();
            binding = nullptr;
            continue;
        }
        const Stmt* next = peek();
        Var* v = next ? storedLocal(*next) : nullptr;
        if (getenv("RPDBG") && v) fprintf(stderr, "copy kind %d type %s from %d\n", int(v->kind), v->type.descriptor().c_str(), int(next->expr->args[1]->kind));
        if (!v || v->kind != VarKind::Local) break;
        const Expr& value = *next->expr->args[1];
        // the temporaries' own types do not matter: the binding's is set at the end
        const bool copy = value.kind == ExprKind::Local && std::count(holders.begin(), holders.end(), value.var.get()) &&
                          (sameType(v->type, value.var->type) || (v->type.isReference() && value.var->type.isReference()));
        const bool castCopy = value.kind == ExprKind::Cast && tested.base != 'V' && !cast && sameType(value.type, tested) &&
                              value.args[0]->kind == ExprKind::Local &&
                              std::count(holders.begin(), holders.end(), value.args[0]->var.get());
        if (!copy && !castCopy) break;
        cast = cast || castCopy;
        holders.push_back(v);
        _temporaries.push_back(v);
        binding = v;
        bindingPtr = next->expr->args[0]->var;
        take();
    }
    if (!binding) { DBG("fail"); return false; }
    _temporaries.pop_back();  // the binding is no temporary
    const JavaType bound = tested.base != 'V' ? tested : *type;
    if (binding->type.isReference() != bound.isReference() || (!bound.isReference() && !sameType(binding->type, bound)))
        { DBG("fail"); return false; }
    RecordPattern::Part part;
    part.binding = bindingPtr;
    part.inferred = tested.base == 'V' && !component.signature.empty();
    part.type = bound;
    node.pattern->parts.push_back(part);
    ExprPtr value = accessorCall(node.value, call);
    if (tested.base != 'V' && !sameType(tested, *type)) value = makeCast(tested, value);
    node.partValues.push_back(value);
    node.partTested.push_back(tested);
    node.mustNest.push_back(mustNest);
    return true;
}

int countReads(const Cfg& cfg, const Var* var) {
    int reads = 0;
    auto count = [&](const ExprPtr& e) {
        forEachExpr(e, [&](const ExprPtr& x) { reads += isLocal(*x, var); });
    };
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        for (const StmtPtr& s : b.stmts) count(s->expr);
        count(b.cond);
    }
    return reads;
}

// Stores into `var`, the increments and compound assignments included.
int countStores(const Cfg& cfg, const Var* var) {
    int stores = 0;
    auto count = [&](const ExprPtr& e) {
        forEachExpr(e, [&](const ExprPtr& x) {
            const bool writes = x->kind == ExprKind::Assign || x->kind == ExprKind::CompoundAssign ||
                                x->kind == ExprKind::PreIncrement || x->kind == ExprKind::PostIncrement;
            stores += writes && isLocal(*x->args[0], var);
        });
    };
    for (const Block& b : cfg.blocks) {
        if (b.removed) continue;
        for (const StmtPtr& s : b.stmts) count(s->expr);
        count(b.cond);
    }
    return stores;
}

// The block `idx = key; goto sw;`.
int restartBlock(const Cfg& cfg, int sw, const Var* index, int32_t key) {
    for (const Block& b : cfg.blocks) {
        if (b.removed || b.exit != BlockExit::Goto || b.succ.size() != 1 || b.succ[0] != sw || b.stmts.size() != 1) continue;
        const Stmt& s = *b.stmts[0];
        if (storedLocal(s) != index) continue;
        const Expr& v = *s.expr->args[1];
        if (v.kind == ExprKind::Literal && v.literal.tag == 'I' && v.literal.integer == key) return b.id;
    }
    return -1;
}

class Folder {
public:
    Folder(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, const Hierarchy& hierarchy)
        : _cfg(cfg), _hierarchy(hierarchy) {
        _wrapper.assign(handlers.size(), 0);
        for (size_t h = 0; h < handlers.size(); ++h) _wrapper[h] = isWrapper(cfg, handlers[h]);
    }

    bool anyWrapper() const { return std::count(_wrapper.begin(), _wrapper.end(), 1) > 0; }

    // False when a chain is malformed or the handler would still cover code.
    bool run() {
        for (const Block& b : _cfg.blocks) {
            if (!b.removed && b.exit == BlockExit::Switch) {
                if (!foldSwitch(b.id)) { DBG("fail"); return false; }
            }
        }
        return finish();
    }

private:
    bool foldSwitch(int sw) {
        const Block& b = _cfg.blocks[static_cast<size_t>(sw)];
        const Expr* call = b.cond.get();
        if (!call || call->kind != ExprKind::Invoke || call->owner != Bootstraps || call->name != "typeSwitch" ||
            call->args.size() < 2 || call->args[0]->kind != ExprKind::Local || call->args[1]->kind != ExprKind::Local)
            return true;
        const Var* copy = call->args[0]->var.get();
        const Var* index = call->args[1]->var.get();
        for (size_t i = 0; i < b.keys.size() && i + 1 < b.succ.size(); ++i) {
            const int32_t key = b.keys[i];
            const int target = b.succ[i + 1];
            if (key < 0 || static_cast<size_t>(key) + 2 >= call->args.size()) continue;
            if (call->args[static_cast<size_t>(key) + 2]->kind != ExprKind::ClassLiteral) continue;
            if (std::count(b.succ.begin(), b.succ.end(), target) != 1) continue;
            const int restart = restartBlock(_cfg, sw, index, key + 1);
            ChainReader reader(_cfg, _hierarchy, _wrapper);
            if (!reader.read(target, restart, copy)) continue;
            _chains.push_back(std::move(reader));
        }
        return true;
    }

    bool finish();

    Cfg& _cfg;
    const Hierarchy& _hierarchy;
    std::vector<char> _wrapper;
    std::vector<ChainReader> _chains;
};

bool Folder::finish() {
    if (_chains.empty()) { DBG("fail"); return false; }
    std::map<int, std::set<size_t>> erase;
    std::map<int, std::map<size_t, StmtList>> insert;
    std::map<const Var*, int> chainReads;
    for (const ChainReader& chain : _chains) {
        for (const Place& p : chain.taken()) {
            erase[p.block].insert(p.index);
            forEachExpr(_cfg.blocks[static_cast<size_t>(p.block)].stmts[p.index]->expr,
                        [&](const ExprPtr& x) { if (x->kind == ExprKind::Local) ++chainReads[x->var.get()]; });
        }
        for (int t : chain.tests()) {
            forEachExpr(_cfg.blocks[static_cast<size_t>(t)].cond,
                        [&](const ExprPtr& x) { if (x->kind == ExprKind::Local) ++chainReads[x->var.get()]; });
        }
        auto cast = std::make_shared<Expr>(*chain.headCast()->args[1]);
        cast->pattern = chain.pattern();
        auto head = std::make_shared<Expr>(*chain.headCast());
        head->args = {chain.headCast()->args[0], cast};
        StmtList stmts{makeStmt(StmtKind::Expr, head)};
        for (const auto& [var, value] : chain.bindings()) {
            auto store = makeExpr(ExprKind::Assign, var->type);
            store->args = {makeLocal(var), value};
            stmts.push_back(makeStmt(StmtKind::Expr, store));
        }
        insert[chain.head().block][chain.head().index] = std::move(stmts);
    }
    // the temporaries are read by the chains alone; a binding is stored there alone
    for (const ChainReader& chain : _chains) {
        for (const auto& binding : chain.bindings()) {
            if (countStores(_cfg, binding.first.get()) != 1) { DBG("fail"); return false; }
        }
        for (const Var* t : chain.temporaries()) {
            if (countReads(_cfg, t) != chainReads[t]) { DBG("fail"); return false; }
        }
    }
    for (auto& [block, indexes] : erase) {
        StmtList kept;
        StmtList& stmts = _cfg.blocks[static_cast<size_t>(block)].stmts;
        for (size_t i = 0; i < stmts.size(); ++i) {
            auto at = insert[block].find(i);
            if (at != insert[block].end()) kept.insert(kept.end(), at->second.begin(), at->second.end());
            if (!indexes.count(i)) kept.push_back(stmts[i]);
        }
        stmts = std::move(kept);
    }
    for (const ChainReader& chain : _chains) {
        for (int t : chain.tests()) {
            Block& b = _cfg.blocks[static_cast<size_t>(t)];
            b.exit = BlockExit::Goto;
            b.succ = {b.succ[1]};
            b.cond = nullptr;
        }
    }
    // what the handler covered is gone, or it stays
    for (Block& b : _cfg.blocks) {
        bool wrapped = false;
        for (int h : b.handlers) wrapped = wrapped || _wrapper[static_cast<size_t>(h)];
        if (!wrapped) continue;
        if (!b.stmts.empty() || b.exit != BlockExit::Goto) { DBG("fail"); return false; }
        b.handlers.erase(std::remove_if(b.handlers.begin(), b.handlers.end(),
                                        [&](int h) { return _wrapper[static_cast<size_t>(h)] != 0; }),
                         b.handlers.end());
    }
    _cfg.recomputePreds();
    // a binding has the type its pattern declares
    for (const ChainReader& chain : _chains) {
        for (const auto& [var, value] : chain.bindings()) {
            (void)value;
            var->type = chain.bindingType(var.get());
            var->declaredType = true;
            var->exact = true;
        }
    }
    return true;
}

}  // namespace

void foldRecordPatternChains(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, const Hierarchy& hierarchy) {
    Cfg work = cfg;
    Folder folder(work, handlers, hierarchy);
    if (!folder.anyWrapper()) return;
    if (folder.run()) cfg = std::move(work);
}

}  // namespace jad::body
