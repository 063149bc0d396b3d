#include "body/synthetic/RecordChain.h"

#include <algorithm>

namespace jad::body {

namespace {

bool isLocal(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

bool holds(const std::vector<Var*>& holders, const Expr& e) {
    return e.kind == ExprKind::Local && std::count(holders.begin(), holders.end(), e.var.get()) > 0;
}

// `v = value` into a local: v, else null.
Var* storedLocal(const Stmt& s) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return nullptr;
    const Expr& target = *s.expr->args[0];
    return target.kind == ExprKind::Local ? target.var.get() : nullptr;
}

bool isIntLiteral(const Expr& e, int64_t value) {
    return e.kind == ExprKind::Literal && e.literal.tag == 'I' && e.literal.integer == value;
}

// `1 == 0`: javac's test of a pattern that always matches.
bool isNeverTaken(const Expr& c) {
    return c.kind == ExprKind::Binary && c.op == "==" && isIntLiteral(*c.args[0], 1) && isIntLiteral(*c.args[1], 0);
}

// `(v instanceof T) == 0` with v one of `holders`: T's internal name, else null.
const std::string* failedInstanceOf(const Expr& c, const std::vector<Var*>& holders) {
    if (c.kind != ExprKind::Binary || c.op != "==" || c.args[0]->kind != ExprKind::InstanceOf) return nullptr;
    if (!isIntLiteral(*c.args[1], 0)) return nullptr;
    const Expr& test = *c.args[0];
    return !test.var && holds(holders, *test.args[0]) ? &test.owner : nullptr;
}

const char* boxOf(char base) {
    switch (base) {
    case 'Z': return "java/lang/Boolean";
    case 'B': return "java/lang/Byte";
    case 'C': return "java/lang/Character";
    case 'S': return "java/lang/Short";
    case 'I': return "java/lang/Integer";
    case 'J': return "java/lang/Long";
    case 'F': return "java/lang/Float";
    case 'D': return "java/lang/Double";
    default: return nullptr;
    }
}

// `Integer.valueOf(h)` for a primitive component of type `type`.
bool isBoxing(const Expr& e, const JavaType& type, const std::vector<Var*>& holders) {
    const char* box = type.dimensions == 0 ? boxOf(type.base) : nullptr;
    return box && e.kind == ExprKind::Invoke && e.isStatic && e.owner == box && e.name == "valueOf" &&
           e.descriptor == "(" + type.descriptor() + ")L" + box + ";" && e.args.size() == 1 && holds(holders, *e.args[0]);
}

// `((Integer) h).intValue()` (or without the cast) of a boxed holder.
bool isUnboxing(const Expr& e, const JavaType& type, const std::vector<Var*>& holders, const std::set<const Var*>& boxed) {
    const char* box = type.dimensions == 0 ? boxOf(type.base) : nullptr;
    if (!box || e.kind != ExprKind::Invoke || e.isStatic || e.owner != box || e.descriptor != "()" + type.descriptor() ||
        e.args.size() != 1) return false;
    const Expr* receiver = e.args[0].get();
    if (receiver->kind == ExprKind::Cast && receiver->type.className == box) receiver = receiver->args[0].get();
    return holds(holders, *receiver) && boxed.count(receiver->var.get()) > 0;
}

ExprPtr accessorCall(const ExprPtr& receiver, const ExprPtr& call) {
    auto e = std::make_shared<Expr>(*call);
    e->args = {receiver};
    return e;
}

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

}  // namespace

// One record pattern being read: its temporary, its parts so far, and per
// part the value its binding is given and the type tested ('V': none).
struct RecordChain::Node {
    Node(Var* r, std::string cls, ExprPtr v) : record(r), recordClass(std::move(cls)), value(std::move(v)) {}
    Var* record = nullptr;
    std::string recordClass;
    ExprPtr value;  // the record in terms of the head's temporary
    std::shared_ptr<RecordPattern> pattern = std::make_shared<RecordPattern>();
    std::vector<ExprPtr> partValues;
    std::vector<JavaType> partTested;
    std::vector<char> mustNest;  // tested for null alone: a nested record pattern or nothing
};

// One component's value while it is read.
struct RecordChain::Value {
    ExprPtr call;
    std::vector<Var*> holders;
    std::set<const Var*> boxed;
    VarPtr binding;
    JavaType tested;  // 'V': none
    bool cast = false;
    bool mustNest = false;
};

bool isMatchExceptionWrapper(const Cfg& cfg, const ExceptionHandler& h) {
    const int at = cfg.blockAt(h.handlerPc);
    if (h.catchType != "java/lang/Throwable" || at < 0) return false;
    const Block& b = cfg.blocks[static_cast<size_t>(at)];
    if (b.stmts.size() != 2 || b.exit != BlockExit::End) return false;
    const Var* caught = storedLocal(*b.stmts[0]);
    if (!caught || b.stmts[0]->expr->args[1]->kind != ExprKind::Caught) return false;
    const Stmt& t = *b.stmts[1];
    if (t.kind != StmtKind::Throw || !t.expr || t.expr->kind != ExprKind::New) return false;
    const Expr& e = *t.expr;
    if (e.owner != "java/lang/MatchException" || e.descriptor != "(Ljava/lang/String;Ljava/lang/Throwable;)V" ||
        e.args.size() != 2) return false;
    const Expr& message = *e.args[0];
    return message.kind == ExprKind::Invoke && !message.isStatic && message.name == "toString" &&
           message.descriptor == "()Ljava/lang/String;" && message.args.size() == 1 &&
           isLocal(*message.args[0], caught) && isLocal(*e.args[1], caught);
}

bool RecordChain::read(int target, int restart, const Var* copy) {
    _at = {target, 0};
    _restart = restart;
    const Stmt* head = peek();
    _record = head ? storedLocal(*head) : nullptr;
    if (!_record) return false;
    // javac casts, unless the value has the record's type already
    const Expr& cast = *head->expr->args[1];
    const bool plain = isLocal(cast, copy);
    const JavaType& type = plain ? copy->type : cast.type;
    if ((!plain && (cast.kind != ExprKind::Cast || !isLocal(*cast.args[0], copy))) || type.dimensions != 0 ||
        type.base != 'L') return false;
    _head = _at;
    _headStore = head->expr;
    _recordClass = type.className;
    take();
    _temporaries.push_back(_record);
    Node top(_record, _recordClass, makeLocal(_headStore->args[0]->var));
    const std::vector<RecordComponent>* components = componentsOf(_recordClass);
    if (!components) return false;
    // a merged case, else a case of its own
    const ChainPlace at = _at;
    const size_t taken = _taken.size(), temporaries = _temporaries.size(), tests = _tests.size();
    if (readMergedHead(top, components->front())) return true;
    _at = at;
    _taken.resize(taken);
    _temporaries.resize(temporaries);
    _tests.resize(tests);
    if (!readNode(top)) return false;
    _pattern = top.pattern;
    return true;
}

bool RecordChain::readInner(int target, int restart, const JavaType* label, bool total) {
    _at = {target, 0};
    _head = _at;
    _restart = restart;
    _innerLabel = label;
    _readingInner = true;
    _innerTotal = total;
    Node top(_record, _recordClass, makeLocal(_headStore->args[0]->var));
    const bool read = readNode(top);
    _innerLabel = nullptr;
    _readingInner = false;
    if (!read) return false;
    _pattern = top.pattern;
    _merged = MergedHead{};
    _inner = true;
    return true;
}

JavaType RecordChain::bindingType(const Var* var) const { return bindingTypeIn(*_pattern, var); }

const std::vector<RecordComponent>* RecordChain::componentsOf(const std::string& cls) const {
    const ClassFile* file = _hierarchy.find(cls);
    if (!file || !file->record || file->record->empty()) return nullptr;
    return &*file->record;
}

bool RecordChain::readNode(Node& node) {
    const std::vector<RecordComponent>* components = componentsOf(node.recordClass);
    if (!components) return false;
    node.pattern->recordClass = node.recordClass;
    for (const RecordComponent& c : *components) {
        if (!readComponent(node, c)) return false;
    }
    if (!readNested(node)) return false;
    for (size_t i = 0; i < node.pattern->parts.size(); ++i) {
        if (node.pattern->parts[i].binding) _bindings.push_back({node.pattern->parts[i].binding, node.partValues[i]});
    }
    return true;
}

// A nested record pattern's components come after all of its parent's;
// its binding is nothing but the receiver of their accessor calls.
bool RecordChain::readNested(Node& node) {
    for (size_t i = 0; i < node.pattern->parts.size(); ++i) {
        RecordPattern::Part& part = node.pattern->parts[i];
        const JavaType& tested = node.partTested[i];
        if (tested.base == 'V' || !componentsOf(tested.className) || !startsAccessorOf(part.binding.get())) {
            if (node.mustNest[i]) return false;
            continue;
        }
        Node child(part.binding.get(), tested.className, node.partValues[i]);
        _temporaries.push_back(part.binding.get());
        part.nested = child.pattern;
        part.binding = nullptr;
        if (!readNode(child)) return false;
    }
    return true;
}

bool RecordChain::isAccessorCall(const Expr& call, const Node& node, const RecordComponent& component) const {
    return call.kind == ExprKind::Invoke && !call.isStatic && call.owner == node.recordClass &&
           call.name == component.name && call.descriptor == "()" + component.descriptor && call.args.size() == 1 &&
           isLocal(*call.args[0], node.record);
}

bool RecordChain::startsAccessorOf(const Var* record) {
    const Stmt* s = peek();
    if (!s || !storedLocal(*s)) return false;
    const Expr& call = *s->expr->args[1];
    return call.kind == ExprKind::Invoke && !call.isStatic && call.args.size() == 1 && isLocal(*call.args[0], record);
}

// The accessor's value into a temporary, inside the wrapping handler.
bool RecordChain::readAccessor(const Node& node, const RecordComponent& component, Value& value) {
    const Stmt* s = peek();
    Var* first = s ? storedLocal(*s) : nullptr;
    if (!first || !isAccessorCall(*s->expr->args[1], node, component) || !isWrapped(_at)) return false;
    value.call = s->expr->args[1];
    value.holders = {first};
    _temporaries.push_back(first);
    take();
    return true;
}

bool RecordChain::readComponent(Node& node, const RecordComponent& component) {
    const std::optional<JavaType> type = parseFieldDescriptor(component.descriptor);
    if (!type) return false;
    Value value;
    if (_readingInner && node.record == _record && node.partValues.empty()) {
        // a merged case's first component: read before its inner switch, tested by its label
        value.call = _merged.call;
        value.holders = _merged.holders;
        value.boxed = _merged.boxed;
        const bool ownType = _innerLabel && (type->isReference() ? sameType(*_innerLabel, *type)
                                                                 : _innerLabel->className == boxOf(type->base));
        if (_innerTotal) {
            // the inner default: the component's own type
            if (_innerLabel && !ownType) return false;
        } else if (type->isReference()) {
            value.tested = *_innerLabel;
            value.mustNest = !narrows(_innerLabel->className, *type);
        } else if (_innerLabel->className != boxOf(type->base)) {
            return false;
        }
    } else if (!readAccessor(node, component, value)) {
        return false;
    }
    if (!readUses(value, *type) || !value.binding) return false;
    _temporaries.pop_back();  // the binding is no temporary
    const JavaType bound = value.tested.base != 'V' ? value.tested : *type;
    const JavaType& have = value.binding->type;
    // the binding is stored once, with the component's value: a slot javac
    // shares between int-like values takes the component's type
    const bool intLike = isIntLike(have) && isIntLike(bound);
    if (have.isReference() != bound.isReference() || (!bound.isReference() && !sameType(have, bound) && !intLike))
        return false;
    RecordPattern::Part part;
    part.binding = value.binding;
    part.inferred = value.tested.base == 'V' && !component.signature.empty();
    part.type = bound;
    node.pattern->parts.push_back(part);
    ExprPtr given = accessorCall(node.value, value.call);
    if (value.tested.base != 'V' && !sameType(value.tested, *type)) given = makeCast(value.tested, given);
    node.partValues.push_back(given);
    node.partTested.push_back(value.tested);
    node.mustNest.push_back(value.mustNest);
    return true;
}

// Copies of the value, at most one instanceof test (or javac's test that
// never fails), and the binding: the last copy, cast or unboxing after the
// last test.
bool RecordChain::readUses(Value& value, const JavaType& type) {
    for (;;) {
        if (const Expr* c = peekTest()) {
            const std::string* narrowed = isNeverTaken(*c) ? nullptr : failedInstanceOf(*c, value.holders);
            if (!isNeverTaken(*c) && (!narrowed || value.tested.base != 'V')) return true;
            if (narrowed) {
                value.tested = typeOfClassName(*narrowed);
                // only a nested record pattern tests what every value of the type matches
                value.mustNest = !narrows(*narrowed, type);
            }
            takeTest();
            value.binding = nullptr;
            continue;
        }
        const Stmt* next = peek();
        Var* v = next ? storedLocal(*next) : nullptr;
        if (!v || v->kind != VarKind::Local) return true;
        const Expr& e = *next->expr->args[1];
        // the temporaries' own types do not matter: the binding's is set once
        // all is read (javac's slot for a char may be typed int where it is shared)
        const bool copy = holds(value.holders, e) &&
                          (sameType(v->type, e.var->type) || (v->type.isReference() && e.var->type.isReference()) ||
                           (isIntLike(v->type) && isIntLike(e.var->type)));
        const bool castCopy = e.kind == ExprKind::Cast && value.tested.base != 'V' && !value.cast &&
                              sameType(e.type, value.tested) && holds(value.holders, *e.args[0]);
        const bool boxing = isBoxing(e, type, value.holders);
        const bool unboxing = isUnboxing(e, type, value.holders, value.boxed);
        if (!copy && !castCopy && !boxing && !unboxing) return true;
        if (copy && value.boxed.count(e.var.get())) value.boxed.insert(v);
        if (boxing) value.boxed.insert(v);
        value.cast = value.cast || castCopy;
        value.holders.push_back(v);
        _temporaries.push_back(v);
        value.binding = boxing ? nullptr : next->expr->args[0]->var;
        take();
    }
}

// `c = r.first(); [copies, boxing]; i = 0;` then the inner typeSwitch on c.
bool RecordChain::readMergedHead(const Node& top, const RecordComponent& first) {
    const std::optional<JavaType> type = parseFieldDescriptor(first.descriptor);
    Value value;
    if (!type || !readAccessor(top, first, value) || !readUses(value, *type) || peekTest()) return false;
    const Stmt* start = peek();
    Var* index = start ? storedLocal(*start) : nullptr;
    if (!index || !isIntLiteral(*start->expr->args[1], 0) || holds(value.holders, *start->expr->args[0])) return false;
    take();
    if (peek()) return false;
    int sw = _at.block;
    const Block* b = &_cfg.blocks[static_cast<size_t>(sw)];
    if (b->exit == BlockExit::Goto && b->succ.size() == 1) {
        sw = b->succ[0];
        b = &_cfg.blocks[static_cast<size_t>(sw)];
        if (!b->stmts.empty()) return false;
    }
    const Expr* call = b->cond.get();
    if (b->exit != BlockExit::Switch || !call || call->kind != ExprKind::Invoke || call->name != "typeSwitch" ||
        call->owner != "java/lang/runtime/SwitchBootstraps" || call->args.size() < 3 || !holds(value.holders, *call->args[0]) ||
        !isLocal(*call->args[1], index)) return false;
    _merged.innerSwitch = sw;
    _merged.innerIndex = index;
    _merged.holders = value.holders;
    _merged.boxed = value.boxed;
    _merged.call = value.call;
    return true;
}

// The statement at the reading place, moving on through gotos into
// blocks nothing else enters; null at a block's end that is no such goto.
const Stmt* RecordChain::peek() {
    for (size_t steps = 0; steps <= _cfg.blocks.size(); ++steps) {
        const Block& b = _cfg.blocks[static_cast<size_t>(_at.block)];
        if (_at.index < b.stmts.size()) return b.stmts[_at.index].get();
        if (b.exit != BlockExit::Goto || b.succ.size() != 1 || !enteredFrom(b.succ[0], _at.block)) return nullptr;
        _at = {b.succ[0], 0};
    }
    return nullptr;
}

bool RecordChain::enteredFrom(int block, int from) const {
    const Block& b = _cfg.blocks[static_cast<size_t>(block)];
    return !b.handlerEntry && b.preds.size() == 1 && b.preds[0] == from;
}

void RecordChain::take() {
    _taken.push_back(_at);
    ++_at.index;
}

// At a block's end that jumps to the restart when its condition holds: the condition.
const Expr* RecordChain::peekTest() {
    if (peek()) return nullptr;
    const Block& b = _cfg.blocks[static_cast<size_t>(_at.block)];
    if (b.exit != BlockExit::Cond || b.succ.size() != 2 || b.succ[0] != _restart || !b.cond) return nullptr;
    if (!enteredFrom(b.succ[1], _at.block)) return nullptr;
    return b.cond.get();
}

void RecordChain::takeTest() {
    _tests.push_back(_at.block);
    _at = {_cfg.blocks[static_cast<size_t>(_at.block)].succ[1], 0};
}

bool RecordChain::isWrapped(const ChainPlace& p) const {
    for (int h : _cfg.blocks[static_cast<size_t>(p.block)].handlers) {
        if (_wrapper[static_cast<size_t>(h)]) return true;
    }
    return false;
}

// A type an instanceof test narrows to must not hold every value of the
// component's type: printed, such a pattern would match null too.
bool RecordChain::narrows(const std::string& tested, const JavaType& component) const {
    if (!component.isReference() || component.dimensions != 0) return false;
    if (tested == component.className) return false;
    if (component.className == "java/lang/Object") return true;
    return surelyNotSupertype(tested, component.className);
}

// Every supertype of `cls` read, none of them `candidate`; a walk that
// meets each class once.
bool RecordChain::surelyNotSupertype(const std::string& candidate, const std::string& cls) const {
    std::set<std::string> seen{cls};
    std::vector<std::string> pending{cls};
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        if (name == candidate || seen.size() > 256) return false;
        const ClassFile* file = _hierarchy.find(name);
        if (!file) return false;
        std::vector<std::string> supers = file->interfaces;
        if (!file->superClass.empty()) supers.push_back(file->superClass);
        for (const std::string& s : supers) {
            if (seen.insert(s).second) pending.push_back(s);
        }
    }
    return true;
}

}  // namespace jad::body
