#include "body/flow/Stack.h"

#include <algorithm>

#include "body/decode/Opcodes.h"
#include "print/Literals.h"

namespace jad::body {

namespace {

bool isWide(const Expr& e) { return e.type.isWide(); }

JavaType elementOf(const Expr& array, char fallback) {
    if (array.type.isArray()) return array.type.elementType();
    if (fallback == 'A') return javaLangObject();
    return primitive(fallback);
}

JavaType arrayOf(JavaType element) {
    element.dimensions += 1;
    return element;
}

class Simulator {
public:
    Simulator(StackInput& in, Budget& budget) : _in(in), _pool(in.owner.pool), _budget(budget) {}

    void run() {
        _exitStacks.assign(_in.cfg.blocks.size(), {});
        _done.assign(_in.cfg.blocks.size(), 0);
        for (int id : _in.order) {
            _block = &_in.cfg.blocks[static_cast<size_t>(id)];
            enterBlock(*_block);
            for (size_t i = _block->first; i < _block->last; ++i) {
                _budget.spend();
                step(_in.code.instructions[i], i);
            }
            finishBlock();
            _done[static_cast<size_t>(id)] = 1;
        }
        requireEveryBlockReached();
    }

private:
    using Stack = std::vector<ExprPtr>;

    // Code that no path reaches never got its expressions; later passes would
    // meet a branch without its condition.
    void requireEveryBlockReached() const {
        for (size_t id = 0; id < _done.size(); ++id) {
            if (!_done[id] && !_in.cfg.blocks[id].removed) throw Unsupported{"unreachable code"};
        }
    }

    // ---- stack plumbing ----

    ExprPtr pop() {
        if (_stack.empty()) throw Unsupported{"operand stack underflow"};
        ExprPtr e = _stack.back();
        _stack.pop_back();
        if (e->kind == ExprKind::Uninitialized && !_allowUninitialized) throw Unsupported{"uninitialized object escapes"};
        return e;
    }
    void push(ExprPtr e) {
        if (_stack.size() > 65535) throw Unsupported{"operand stack overflow"};
        _stack.push_back(std::move(e));
    }

    VarPtr newTemp(const JavaType& type) {
        auto var = std::make_shared<Var>();
        var->kind = VarKind::Temp;
        var->type = type;
        var->id = static_cast<int>(_in.locals.all.size()) + 1;
        _in.locals.all.push_back(var);
        return var;
    }

    static ExprPtr assign(ExprPtr target, ExprPtr value) {
        auto e = makeExpr(ExprKind::Assign, target->type);
        e->args.reserve(2);
        e->args.push_back(std::move(target));
        e->args.push_back(std::move(value));
        return e;
    }

    static bool copyable(const Expr& e) {
        return isTrivial(e) || e.kind == ExprKind::Uninitialized || e.kind == ExprKind::ClassLiteral ||
               isOuterInstanceChain(e);
    }

    // Stores every entry that is not freely copyable in a temporary, bottom
    // up, so evaluation order stays that of the bytecode.
    void spillStack(const Var* written = nullptr) {
        for (ExprPtr& entry : _stack) {
            const bool clobbered = written && entry->kind == ExprKind::Local && entry->var.get() == written;
            if (copyable(*entry) && !clobbered) continue;
            VarPtr temp = newTemp(entry->type);
            _block->stmts.push_back(makeStmt(StmtKind::Expr, assign(makeLocal(temp), entry)));
            entry = makeLocal(temp);
        }
    }

    void emit(StmtPtr stmt, const Var* written = nullptr) {
        if (!_stack.empty()) spillStack(written);
        _block->stmts.push_back(std::move(stmt));
    }

    // ---- block edges ----

    // Sets the stack a block starts with; the vector is reused from block
    // to block so its storage is not given up.
    void enterBlock(const Block& b) {
        _stack.clear();
        if (b.handlerEntry) {
            if (!b.preds.empty()) throw Unsupported{"exception handler also entered normally"};
            _stack.push_back(makeExpr(ExprKind::Caught, objectType(caughtType(b.startPc))));
            return;
        }
        _donePreds.clear();
        for (int p : b.preds) {
            if (_done[static_cast<size_t>(p)]) _donePreds.push_back(p);
        }
        if (_donePreds.empty()) return;
        const Stack& first = _exitStacks[static_cast<size_t>(_donePreds[0])];
        const bool loopHead = _donePreds.size() != b.preds.size();
        if (loopHead && !first.empty()) throw Unsupported{"value on the stack at a loop head"};
        _stack = first;
        for (size_t slot = 0; slot < _stack.size(); ++slot) mergeSlot(_donePreds, slot, _stack);
    }

    void mergeSlot(const std::vector<int>& preds, size_t slot, Stack& merged) {
        bool same = true;
        for (int p : preds) {
            const Stack& s = _exitStacks[static_cast<size_t>(p)];
            if (s.size() != merged.size()) throw Unsupported{"stack depths differ at a join"};
            same = same && s[slot] == merged[slot];
        }
        if (same) return;
        VarPtr temp = newTemp(merged[slot]->type);
        for (int p : preds) {
            const ExprPtr& value = _exitStacks[static_cast<size_t>(p)][slot];
            if (value->kind == ExprKind::Uninitialized) throw Unsupported{"uninitialized object at a join"};
            Block& pred = _in.cfg.blocks[static_cast<size_t>(p)];
            pred.stmts.push_back(makeStmt(StmtKind::Expr, assign(makeLocal(temp), value)));
        }
        merged[slot] = makeLocal(temp);
    }

    std::string caughtType(uint32_t handlerPc) const {
        std::string type;
        for (const ExceptionHandler& h : _in.raw.handlers) {
            if (h.handlerPc != handlerPc) continue;
            const std::string name = h.catchType.empty() ? "java/lang/Throwable" : h.catchType;
            if (type.empty()) type = name;
            else if (type != name) type = "java/lang/Throwable";
        }
        return type.empty() ? "java/lang/Throwable" : type;
    }

    void finishBlock() {
        bool leavesRange = false;
        for (int s : _block->succ) leavesRange |= _in.cfg.blocks[static_cast<size_t>(s)].handlers != _block->handlers;
        if (_block->exit == BlockExit::Cond || _block->exit == BlockExit::Switch || leavesRange) {
            if (!_stack.empty()) spillStack();
        }
        if (_block->exit != BlockExit::End || !_stack.empty()) {
            _exitStacks[static_cast<size_t>(_block->id)] = _stack;
        }
        for (int s : _block->succ) {
            if (_done[static_cast<size_t>(s)] && !_stack.empty()) throw Unsupported{"value on the stack at a loop head"};
        }
    }

    // ---- instructions ----

    void step(const Instruction& insn, size_t index) {
        const uint8_t o = insn.opcode;
        if (o == op::nop) return;
        if (o <= op::ldc2_w) return constant(insn);
        if (o <= op::aload_3) return push(makeLocal(var(index)));
        if (o <= op::saload) return arrayLoad(o);
        if (o <= op::astore_3) return store(index);
        if (o <= op::sastore) return arrayStore();
        if (o <= op::swap) return stackOp(o);
        if (o <= op::lxor) return arithmetic(o);
        if (o == op::iinc) return increment(insn, index);
        if (o <= op::i2s) return convert(o);
        if (o <= op::dcmpg) return compare(o);
        if (o <= op::if_acmpne || o == op::ifnull || o == op::ifnonnull) return branch(o);
        if (o == op::goto_ || o == op::goto_w) return;
        if (o == op::tableswitch || o == op::lookupswitch) {
            _block->cond = pop();
            return;
        }
        if (o >= op::ireturn && o <= op::return_) return ret(o);
        if (o <= op::putfield) return field(insn, o);
        if (o <= op::invokeinterface) return invoke(insn, o);
        switch (o) {
        case op::invokedynamic: return dynamic(insn);
        case op::new_: {
            auto u = makeExpr(ExprKind::Uninitialized, objectType(_pool.className(static_cast<uint16_t>(insn.index))));
            u->owner = u->type.className;
            u->newPc = insn.pc;
            return push(u);
        }
        case op::newarray: return newArray(arrayOf(primitive("ZCFDBSIJ"[insn.value - 4])), 1);
        case op::anewarray:
            return newArray(arrayOf(typeOfClassName(_pool.className(static_cast<uint16_t>(insn.index)))), 1);
        case op::multianewarray:
            return newArray(typeOfClassName(_pool.className(static_cast<uint16_t>(insn.index))), insn.value);
        case op::arraylength: {
            auto e = makeExpr(ExprKind::ArrayLength, primitive('I'));
            e->args = {pop()};
            return push(e);
        }
        case op::athrow: return emit(makeStmt(StmtKind::Throw, pop()));
        case op::checkcast:
            return push(makeCast(typeOfClassName(_pool.className(static_cast<uint16_t>(insn.index))), pop()));
        case op::instanceof: {
            auto e = makeExpr(ExprKind::InstanceOf, booleanType());
            e->args = {pop()};
            e->owner = _pool.className(static_cast<uint16_t>(insn.index));
            return push(e);
        }
        case op::monitorenter:
        case op::monitorexit: {
            auto s = makeStmt(StmtKind::Monitor, pop());
            s->enter = o == op::monitorenter;
            return emit(s);
        }
        default: throw Unsupported{std::string("instruction ") + opcodeInfo(o).name};
        }
    }

    const VarPtr& var(size_t index) const {
        const VarPtr& v = _in.locals.varOf[index];
        if (!v) throw Unsupported{"local variable without a web"};
        return v;
    }

    void constant(const Instruction& insn) {
        const uint8_t o = insn.opcode;
        if (o == op::aconst_null) return push(makeExpr(ExprKind::Null, javaLangObject()));
        if (o <= op::iconst_5) return push(makeIntLiteral(o - op::iconst_0));
        if (o <= op::lconst_1) return push(makeIntLiteral(o - op::lconst_0, 'J'));
        if (o <= op::fconst_2) return push(real(o - op::fconst_0, 'F'));
        if (o <= op::dconst_1) return push(real(o - op::dconst_0, 'D'));
        if (o == op::bipush || o == op::sipush) return push(makeIntLiteral(insn.value));
        const Constant& c = _pool.at(static_cast<uint16_t>(insn.index));
        switch (c.tag) {
        case ConstantTag::Integer: return push(makeIntLiteral(c.intValue));
        case ConstantTag::Long: return push(makeIntLiteral(c.longValue, 'J'));
        case ConstantTag::Float: return push(real(c.floatValue, 'F'));
        case ConstantTag::Double: return push(real(c.doubleValue, 'D'));
        case ConstantTag::String: {
            auto e = makeExpr(ExprKind::Literal, javaLangString());
            e->literal.tag = 'S';
            e->literal.text = decodeText(_pool.utf8(c.a));
            return push(e);
        }
        case ConstantTag::Class: {
            auto e = makeExpr(ExprKind::ClassLiteral, objectType("java/lang/Class"));
            e->owner = _pool.utf8(c.a);
            return push(e);
        }
        default: throw Unsupported{"dynamic or method-handle constant"};
        }
    }

    static std::u16string decodeText(const std::string& utf8);

    static ExprPtr real(double value, char base) {
        auto e = makeExpr(ExprKind::Literal, primitive(base));
        e->literal.tag = base;
        e->literal.real = value;
        return e;
    }

    void arrayLoad(uint8_t o) {
        static const char kinds[] = {'I', 'J', 'F', 'D', 'A', 'B', 'C', 'S'};
        ExprPtr index = pop();
        ExprPtr array = pop();
        char kind = kinds[o - op::iaload];
        JavaType type = elementOf(*array, kind);
        if (kind == 'B' && !(type.base == 'Z' && type.dimensions == 0)) type = primitive('B');
        auto e = makeExpr(ExprKind::ArrayElement, type);
        e->args = {array, index};
        push(e);
    }

    void store(size_t index) {
        const VarPtr& v = var(index);
        ExprPtr value = pop();
        emit(makeStmt(StmtKind::Expr, assign(makeLocal(v), value)), v.get());
    }

    void arrayStore() {
        ExprPtr value = pop();
        ExprPtr index = pop();
        ExprPtr array = pop();
        auto target = makeExpr(ExprKind::ArrayElement, elementOf(*array, value->type.isReference() ? 'A' : value->type.base));
        target->args = {array, index};
        emit(makeStmt(StmtKind::Expr, assign(target, value)));
    }

    // Entries making up the top `words` stack words.
    size_t entriesForWords(size_t depthFromTop, int words) const {
        size_t count = 0;
        while (words > 0) {
            if (depthFromTop + count >= _stack.size()) throw Unsupported{"operand stack underflow"};
            words -= isWide(*_stack[_stack.size() - 1 - depthFromTop - count]) ? 2 : 1;
            ++count;
        }
        if (words < 0) throw Unsupported{"stack operation splits a long or double"};
        return count;
    }

    void duplicate(int topWords, int underWords) {
        const size_t top = entriesForWords(0, topWords);
        const size_t under = underWords ? entriesForWords(top, underWords) : 0;
        spillStack();
        Stack copy(_stack.end() - static_cast<long>(top), _stack.end());
        _stack.insert(_stack.end() - static_cast<long>(top + under), copy.begin(), copy.end());
    }

    void stackOp(uint8_t o) {
        switch (o) {
        case op::pop: return discard(pop());
        case op::pop2: {
            ExprPtr e = pop();
            const bool wide = isWide(*e);
            discard(e);
            if (!wide) {
                ExprPtr second = pop();
                if (isWide(*second)) throw Unsupported{"pop2 splits a long or double"};
                discard(second);
            }
            return;
        }
        case op::dup: return duplicate(1, 0);
        case op::dup_x1: return duplicate(1, 1);
        case op::dup_x2: return duplicate(1, 2);
        case op::dup2: return duplicate(2, 0);
        case op::dup2_x1: return duplicate(2, 1);
        case op::dup2_x2: return duplicate(2, 2);
        default: {  // swap
            entriesForWords(0, 2);
            if (isWide(*_stack.back())) throw Unsupported{"swap of a long or double"};
            spillStack();
            std::swap(_stack[_stack.size() - 1], _stack[_stack.size() - 2]);
            return;
        }
        }
    }

    // A popped value is dropped only where evaluating it cannot throw; a
    // read that may (an array element, another object's field, a cast) is
    // kept in a temporary so its exception still happens.
    void discard(const ExprPtr& e) {
        if (cannotThrow(*e)) return;
        if (e->kind == ExprKind::Uninitialized) throw Unsupported{"object created but never initialized"};
        if (!isPure(*e)) return emit(makeStmt(StmtKind::Expr, e));
        emit(makeStmt(StmtKind::Expr, assign(makeLocal(newTemp(e->type)), e)));
    }

    void arithmetic(uint8_t o) {
        static const char* const ops[] = {"+", "-", "*", "/", "%"};
        static const char bases[] = {'I', 'J', 'F', 'D'};
        if (o >= op::iadd && o < 116) {
            ExprPtr b = pop(), a = pop();
            return push(makeBinary(ops[(o - op::iadd) / 4], a, b, primitive(bases[(o - op::iadd) % 4])));
        }
        if (o <= op::dneg) return push(makeUnary("-", pop(), primitive(bases[o - 116])));
        static const char* const bitOps[] = {"<<", "<<", ">>", ">>", ">>>", ">>>", "&", "&", "|", "|", "^", "^"};
        ExprPtr b = pop(), a = pop();
        push(makeBinary(bitOps[o - op::ishl], a, b, primitive((o - op::ishl) % 2 ? 'J' : 'I')));
    }

    void increment(const Instruction& insn, size_t index) {
        const VarPtr& v = var(index);
        ExprPtr e;
        if (insn.value == 1 || insn.value == -1) {
            e = makeExpr(ExprKind::PostIncrement, v->type);
            e->op = insn.value == 1 ? "++" : "--";
            e->args = {makeLocal(v)};
        } else {
            e = makeExpr(ExprKind::CompoundAssign, v->type);
            e->op = insn.value < 0 ? "-" : "+";
            e->args = {makeLocal(v), makeIntLiteral(insn.value < 0 ? -int64_t(insn.value) : insn.value)};
        }
        emit(makeStmt(StmtKind::Expr, e), v.get());
    }

    void convert(uint8_t o) {
        static const char* const targets[] = {"JFD", "IFD", "IJD", "IJF"};
        char base;
        if (o >= 145) base = "BCS"[o - 145];
        else base = targets[(o - op::i2l) / 3][(o - op::i2l) % 3];
        push(makeCast(primitive(base), pop()));
    }

    void compare(uint8_t o) {
        ExprPtr b = pop(), a = pop();
        auto e = makeExpr(ExprKind::Compare, primitive('I'));
        e->op = o == op::lcmp ? "lcmp" : (o == op::fcmpl || o == op::dcmpl ? "cmpl" : "cmpg");
        e->args = {a, b};
        push(e);
    }

    static const char* relation(uint8_t o) {
        static const char* const rel[] = {"==", "!=", "<", ">=", ">", "<="};
        if (o >= op::ifeq && o <= op::ifle) return rel[o - op::ifeq];
        if (o >= op::if_icmpeq && o <= op::if_icmple) return rel[o - op::if_icmpeq];
        if (o == op::if_acmpeq || o == op::ifnull) return "==";
        return "!=";
    }

    // `cmp <rel> 0` for a three-way comparison, keeping what NaN does.
    static ExprPtr fromCompare(const ExprPtr& cmp, const std::string& rel) {
        ExprPtr a = cmp->args[0], b = cmp->args[1];
        if (cmp->op == "lcmp" || rel == "==" || rel == "!=") return makeBinary(rel, a, b, booleanType());
        const int nan = cmp->op == "cmpl" ? -1 : 1;
        bool nanResult = rel == "<" ? nan < 0 : rel == "<=" ? nan <= 0 : rel == ">" ? nan > 0 : nan >= 0;
        if (!nanResult) return makeBinary(rel, a, b, booleanType());
        static const std::pair<const char*, const char*> inverse[] = {{"<", ">="}, {">=", "<"}, {">", "<="}, {"<=", ">"}};
        for (const auto& [r, inv] : inverse) {
            if (rel == r) return makeUnary("!", makeBinary(inv, a, b, booleanType()), booleanType());
        }
        return makeBinary(rel, a, b, booleanType());
    }

    void branch(uint8_t o) {
        const std::string rel = relation(o);
        ExprPtr condition;
        if (o >= op::ifeq && o <= op::ifle) {
            ExprPtr v = pop();
            condition = v->kind == ExprKind::Compare ? fromCompare(v, rel) : makeBinary(rel, v, makeIntLiteral(0), booleanType());
        } else if (o == op::ifnull || o == op::ifnonnull) {
            ExprPtr v = pop();
            condition = makeBinary(rel, v, makeExpr(ExprKind::Null, javaLangObject()), booleanType());
        } else {
            ExprPtr b = pop(), a = pop();
            condition = makeBinary(rel, a, b, booleanType());
        }
        _block->cond = condition;
    }

    void ret(uint8_t o) {
        if (o == op::return_) return emit(makeStmt(StmtKind::Return));
        emit(makeStmt(StmtKind::Return, pop()));
    }

    // A field or method reference's strings, read in place from the pool;
    // decode() has checked that the operand is such a reference.
    struct MemberNames {
        const std::string& owner;
        const std::string& name;
        const std::string& descriptor;
    };

    MemberNames memberNames(const Instruction& insn) const {
        const Constant& ref = _pool.at(static_cast<uint16_t>(insn.index));
        const Constant& nat = _pool.at(ref.b, ConstantTag::NameAndType);
        return {_pool.className(ref.a), _pool.utf8(nat.a), _pool.utf8(nat.b)};
    }

    void field(const Instruction& insn, uint8_t o) {
        const MemberNames ref = memberNames(insn);
        auto type = parseFieldDescriptor(ref.descriptor);
        if (!type) throw Unsupported{"malformed field descriptor"};
        auto f = makeExpr(ExprKind::Field, std::move(*type));
        f->owner = ref.owner;
        f->name = ref.name;
        f->descriptor = ref.descriptor;
        f->isStatic = o == op::getstatic || o == op::putstatic;
        ExprPtr value;
        if (o == op::putstatic || o == op::putfield) value = pop();
        if (!f->isStatic) f->args = {pop()};
        if (!value) return push(f);
        emit(makeStmt(StmtKind::Expr, assign(f, value)));
    }

    void invoke(const Instruction& insn, uint8_t o) {
        const MemberNames ref = memberNames(insn);
        auto type = methodTypeOf(ref.descriptor);
        if (!type) throw Unsupported{"malformed method descriptor"};
        std::vector<ExprPtr> args(type->parameters.size());
        for (size_t i = args.size(); i-- > 0;) args[i] = pop();
        auto call = makeExpr(ExprKind::Invoke, type->returnType);
        call->owner = ref.owner;
        call->name = ref.name;
        call->descriptor = ref.descriptor;
        call->isStatic = o == op::invokestatic;
        call->invoke = o == op::invokestatic ? InvokeKind::Static
                       : o == op::invokeinterface ? InvokeKind::Interface
                       : o == op::invokespecial ? InvokeKind::Special : InvokeKind::Virtual;
        if (!call->isStatic) {
            const bool isInit = call->name == "<init>";
            _allowUninitialized = isInit;
            ExprPtr receiver = pop();
            _allowUninitialized = false;
            if (isInit && receiver->kind == ExprKind::Uninitialized) return construct(receiver, *call, args);
            if (isInit) {
                if (receiver->kind != ExprKind::This || _in.method.name != "<init>") throw Unsupported{"constructor call on an unexpected receiver"};
            } else if (o == op::invokespecial && call->owner != _in.owner.thisClass) {
                call->invoke = InvokeKind::Super;
                if (receiver->kind != ExprKind::This) throw Unsupported{"super call on another object"};
            }
            call->args.reserve(args.size() + 1);
            call->args.push_back(std::move(receiver));
        }
        call->args.insert(call->args.end(), std::make_move_iterator(args.begin()), std::make_move_iterator(args.end()));
        if (type->returnType.base == 'V' && type->returnType.dimensions == 0) return emit(makeStmt(StmtKind::Expr, call));
        push(call);
    }

    // `call` is the <init> invocation, dropped for the New it becomes.
    void construct(const ExprPtr& placeholder, Expr& call, std::vector<ExprPtr>& args) {
        if (call.owner != placeholder->owner) throw Unsupported{"constructor of another class on a new object"};
        auto e = makeExpr(ExprKind::New, placeholder->type);
        e->owner = std::move(call.owner);
        e->descriptor = std::move(call.descriptor);
        e->args = std::move(args);
        bool used = false;
        for (ExprPtr& entry : _stack) {
            if (entry == placeholder) {
                entry = e;
                used = true;
            }
        }
        if (!used) emit(makeStmt(StmtKind::Expr, e));
    }

    void newArray(const JavaType& type, int dims) {
        if (dims > type.dimensions) throw Unsupported{"multianewarray with more dimensions than its type"};
        auto e = makeExpr(ExprKind::NewArray, type);
        e->args.resize(static_cast<size_t>(dims));
        for (int i = dims; i-- > 0;) e->args[static_cast<size_t>(i)] = pop();
        push(e);
    }

    void dynamic(const Instruction& insn);
    void lambda(const MemberRef& site, const MethodType& type, const BootstrapMethod& bsm);
    void instantiation(const BootstrapMethod& bsm, LambdaSite& info);
    std::vector<uint16_t> invokedConstant(const Constant& c, const std::string& factory);
    ExprPtr enumDescLabel(const Constant& c);
    void patternSwitch(const MemberRef& site, const MethodType& type, const BootstrapMethod& bsm, const std::string& kind);

    StackInput& _in;
    const ConstantPool& _pool;
    Budget& _budget;
    Block* _block = nullptr;
    Stack _stack;
    std::vector<int> _donePreds;  // scratch for enterBlock
    std::vector<Stack> _exitStacks;
    std::vector<char> _done;
    bool _allowUninitialized = false;
};


std::u16string Simulator::decodeText(const std::string& utf8) { return decodeModifiedUtf8(utf8); }

ExprPtr stringPiece(std::u16string text) {
    auto e = makeExpr(ExprKind::Literal, javaLangString());
    e->literal.tag = 'S';
    e->literal.text = std::move(text);
    return e;
}

// String concatenation through StringConcatFactory: the recipe's \1 marks an
// argument, \2 a constant, everything else is literal text.
void Simulator::dynamic(const Instruction& insn) {
    const Constant& site = _pool.at(static_cast<uint16_t>(insn.index), ConstantTag::InvokeDynamic);
    const MemberRef nat = _pool.nameAndType(site.b);
    auto type = methodTypeOf(nat.descriptor);
    if (!type) throw Unsupported{"malformed invokedynamic descriptor"};
    if (site.a >= _in.owner.bootstrapMethods.size()) throw Unsupported{"bootstrap method index out of range"};
    const BootstrapMethod& bsm = _in.owner.bootstrapMethods[site.a];
    const Constant& handle = _pool.at(bsm.methodHandle, ConstantTag::MethodHandle);
    const MemberRef target = _pool.memberRef(handle.b);
    std::vector<ExprPtr> args;
    if (target.owner == "java/lang/invoke/LambdaMetafactory") return lambda(nat, *type, bsm);
    if (target.owner == "java/lang/runtime/SwitchBootstraps") return patternSwitch(nat, *type, bsm, target.name);
    if (target.owner != "java/lang/invoke/StringConcatFactory") throw Unsupported{"invokedynamic " + nat.name + " (unknown call site)"};
    args.resize(type->parameters.size());
    for (size_t i = args.size(); i-- > 0;) args[i] = pop();
    auto concat = makeExpr(ExprKind::Concat, javaLangString());
    std::string pieceTypes;
    if (target.name == "makeConcat") {
        concat->args = args;
        for (const JavaType& t : type->parameters) pieceTypes += t.descriptor();
        concat->descriptor = "(" + pieceTypes + ")V";
        return push(concat);
    }
    if (target.name != "makeConcatWithConstants" || bsm.arguments.empty()) throw Unsupported{"unknown string concatenation"};
    const Constant& recipeConstant = _pool.at(bsm.arguments[0], ConstantTag::String);
    const std::u16string recipe = decodeText(_pool.utf8(recipeConstant.a));
    size_t nextArg = 0, nextConstant = 1;
    std::u16string text;
    auto flush = [&] {
        if (!text.empty()) {
            concat->args.push_back(stringPiece(text));
            pieceTypes += "Ljava/lang/String;";
        }
        text.clear();
    };
    for (char16_t c : recipe) {
        if (c == 1) {
            flush();
            if (nextArg >= args.size()) throw Unsupported{"concatenation recipe needs more arguments"};
            pieceTypes += type->parameters[nextArg].descriptor();
            concat->args.push_back(args[nextArg++]);
        } else if (c == 2) {
            if (nextConstant >= bsm.arguments.size()) throw Unsupported{"concatenation recipe needs more constants"};
            const Constant& k = _pool.at(bsm.arguments[nextConstant++]);
            if (k.tag != ConstantTag::String) throw Unsupported{"non-string concatenation constant"};
            text += decodeText(_pool.utf8(k.a));
        } else {
            text += c;
        }
    }
    flush();
    if (nextArg != args.size()) throw Unsupported{"concatenation recipe leaves arguments unused"};
    concat->descriptor = "(" + pieceTypes + ")V";
    push(concat);
}

// SwitchBootstraps' typeSwitch and enumSwitch: the case number of the
// selector's first label at or after the restart index. Kept as a call
// whose arguments after those two are the labels (class literals, strings,
// ints); only the modern dialect's pattern switches print it.
void Simulator::patternSwitch(const MemberRef& site, const MethodType& type, const BootstrapMethod& bsm,
                              const std::string& kind) {
    if ((kind != "typeSwitch" && kind != "enumSwitch") || type.parameters.size() != 2 ||
        type.parameters[1].base != 'I' || type.parameters[1].dimensions != 0 || type.returnType.base != 'I' ||
        type.returnType.dimensions != 0) {
        throw Unsupported{"invokedynamic " + site.name + " (unknown call site)"};
    }
    auto call = makeExpr(ExprKind::Invoke, primitive('I'));
    call->isStatic = true;
    call->invoke = InvokeKind::Static;
    call->owner = "java/lang/runtime/SwitchBootstraps";
    call->name = kind;
    call->descriptor = site.descriptor;
    ExprPtr restart = pop();
    call->args = {pop(), restart};
    for (uint16_t index : bsm.arguments) {
        const Constant& c = _pool.at(index);
        if (c.tag == ConstantTag::Class) {
            auto label = makeExpr(ExprKind::ClassLiteral, objectType("java/lang/Class"));
            label->owner = _pool.utf8(c.a);
            call->args.push_back(label);
        } else if (c.tag == ConstantTag::String) {
            call->args.push_back(stringPiece(decodeText(_pool.utf8(c.a))));
        } else if (c.tag == ConstantTag::Integer) {
            call->args.push_back(makeIntLiteral(c.intValue));
        } else if (c.tag == ConstantTag::Dynamic) {
            call->args.push_back(enumDescLabel(c));
        } else {
            throw Unsupported{"a pattern switch label of another kind"};
        }
    }
    push(call);
}

// A dynamic constant made by ConstantBootstraps.invoke of `factory` (a
// static method "owner.name") from constant arguments: those arguments.
std::vector<uint16_t> Simulator::invokedConstant(const Constant& c, const std::string& factory) {
    const Unsupported other{"a pattern switch label of another kind"};
    if (c.a >= _in.owner.bootstrapMethods.size()) throw other;
    const BootstrapMethod& bsm = _in.owner.bootstrapMethods[c.a];
    const MemberRef boot = _pool.memberRef(_pool.at(bsm.methodHandle, ConstantTag::MethodHandle).b);
    if (boot.owner != "java/lang/invoke/ConstantBootstraps" || boot.name != "invoke" || bsm.arguments.empty()) throw other;
    const MemberRef made = _pool.memberRef(_pool.at(bsm.arguments[0], ConstantTag::MethodHandle).b);
    if (made.owner + "." + made.name != factory) throw other;
    return std::vector<uint16_t>(bsm.arguments.begin() + 1, bsm.arguments.end());
}

// An enum constant as typeSwitch takes it: EnumDesc.of(ClassDesc.of("p.E"), "A").
ExprPtr Simulator::enumDescLabel(const Constant& c) {
    const Unsupported other{"a pattern switch label of another kind"};
    const std::vector<uint16_t> of = invokedConstant(c, "java/lang/Enum$EnumDesc.of");
    if (of.size() != 2) throw other;
    const Constant& classDesc = _pool.at(of[0]);
    if (classDesc.tag != ConstantTag::Dynamic) throw other;
    const std::vector<uint16_t> named = invokedConstant(classDesc, "java/lang/constant/ClassDesc.of");
    if (named.size() != 1) throw other;
    std::string enumClass = _pool.utf8(_pool.at(named[0], ConstantTag::String).a);
    std::replace(enumClass.begin(), enumClass.end(), '.', '/');
    const std::string constant = _pool.utf8(_pool.at(of[1], ConstantTag::String).a);
    if (enumClass.empty() || constant.empty()) throw other;
    return makeEnumConstant(enumClass, constant);
}

// The instantiated type, and altMetafactory's flags: serializable, and
// marker interfaces the object implements besides the functional one. Only
// the modern dialect reads them; an entry of another kind leaves them out.
void Simulator::instantiation(const BootstrapMethod& bsm, LambdaSite& info) {
    auto entry = [&](size_t i, ConstantTag tag) -> const Constant* {
        const uint16_t index = bsm.arguments[i];
        if (index == 0 || index >= _pool.count() || _pool.at(index).tag != tag) return nullptr;
        return &_pool.at(index);
    };
    const Constant* instantiated = entry(2, ConstantTag::MethodType);
    if (!instantiated || instantiated->a == 0 || instantiated->a >= _pool.count() ||
        _pool.at(instantiated->a).tag != ConstantTag::Utf8) return;
    info.instantiatedDescriptor = _pool.utf8(instantiated->a);
    const Constant* flags = bsm.arguments.size() > 3 ? entry(3, ConstantTag::Integer) : nullptr;
    if (!flags) return;
    info.serializable = (flags->intValue & 1) != 0;
    const Constant* count = (flags->intValue & 2) && bsm.arguments.size() > 4 ? entry(4, ConstantTag::Integer) : nullptr;
    for (size_t i = 0; count && i < static_cast<size_t>(std::max(count->intValue, 0)) && 5 + i < bsm.arguments.size(); ++i) {
        const Constant* marker = entry(5 + i, ConstantTag::Class);
        const bool named = marker && marker->a != 0 && marker->a < _pool.count() && _pool.at(marker->a).tag == ConstantTag::Utf8;
        info.markers.push_back(named ? _pool.utf8(marker->a) : "");  // "": unreadable, never printed as a lambda
    }
}

void Simulator::lambda(const MemberRef& site, const MethodType& type, const BootstrapMethod& bsm) {
    if (bsm.arguments.size() < 3) throw Unsupported{"lambda call site without its arguments"};
    const Constant& sam = _pool.at(bsm.arguments[0], ConstantTag::MethodType);
    const Constant& impl = _pool.at(bsm.arguments[1], ConstantTag::MethodHandle);
    auto info = std::make_shared<LambdaSite>();
    info->samName = site.name;
    info->samDescriptor = _pool.utf8(sam.a);
    info->implKind = impl.a;
    const MemberRef ref = _pool.memberRef(impl.b);
    info->implOwner = ref.owner;
    info->implName = ref.name;
    info->implDescriptor = ref.descriptor;
    if (!parameterCount(info->samDescriptor) || !parameterCount(info->implDescriptor)) {
        throw Unsupported{"malformed lambda descriptor"};
    }
    instantiation(bsm, *info);
    auto e = makeExpr(ExprKind::Lambda, type.returnType);
    e->args.resize(type.parameters.size());
    for (size_t i = e->args.size(); i-- > 0;) e->args[i] = pop();
    e->owner = type.returnType.className;
    // The call site's own type: what each captured value is passed as.
    e->descriptor = site.descriptor;
    e->lambda = info;
    push(e);
}

}  // namespace

void buildExpressions(StackInput& input, Budget& budget) {
    Simulator(input, budget).run();
}

}  // namespace jad::body
