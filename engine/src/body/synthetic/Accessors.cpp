#include "body/synthetic/Accessors.h"

#include <map>

#include "body/decode/Instruction.h"
#include "body/decode/Opcodes.h"
#include "body/ir/Failure.h"
#include "body/ir/Walk.h"
#include "body/types/ClassLookup.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

// javac's accessors are a handful of instructions; anything longer is not one.
constexpr size_t MaxAccessorInstructions = 48;

bool isWide(const Expr& e) { return e.type.dimensions == 0 && (e.type.base == 'J' || e.type.base == 'D'); }

bool isOne(const Expr& e) {
    if (e.kind != ExprKind::Literal) return false;
    return (e.literal.tag == 'I' || e.literal.tag == 'J') ? e.literal.integer == 1 : e.literal.real == 1.0;
}

const Method* findMethod(const ClassFile& file, const std::string& name, const std::string& descriptor) {
    for (const Method& m : file.methods) {
        if (m.name == name && m.descriptor == descriptor) return &m;
    }
    return nullptr;
}

// Runs an accessor's straight-line code on a stack of expression trees; the
// stores it makes are its effects, the value it returns its result.
class Evaluator {
public:
    Evaluator(const ClassFile& owner, const MethodType& type) : _owner(owner) {
        int slot = 0;
        for (size_t i = 0; i < type.parameters.size(); ++i) {
            auto var = std::make_shared<Var>();
            var->kind = VarKind::Parameter;
            var->slot = static_cast<int>(i);
            var->type = type.parameters[i];
            _slots.resize(static_cast<size_t>(slot) + 2);
            _slots[static_cast<size_t>(slot)] = var;
            slot += type.parameters[i].slots();
        }
    }

    bool run(const DecodedCode& code) {
        if (code.instructions.size() > MaxAccessorInstructions) return false;
        for (const Instruction& insn : code.instructions) {
            if (!step(insn)) return false;
            if (_done) return _stack.empty();
        }
        return false;
    }

    std::vector<ExprPtr> effects;
    ExprPtr result;  // null for a void accessor

private:
    ExprPtr pop() {
        if (_stack.empty()) throw Unsupported{"unrecognised accessor"};
        ExprPtr e = _stack.back();
        _stack.pop_back();
        return e;
    }
    void push(ExprPtr e) { _stack.push_back(std::move(e)); }

    bool load(uint32_t slot) {
        if (slot >= _slots.size() || !_slots[slot]) return false;
        push(makeLocal(_slots[slot]));
        return true;
    }

    bool step(const Instruction& insn) {
        const uint8_t o = insn.opcode;
        if (o >= op::iload && o <= op::aload) return load(insn.index);
        if (o >= op::iload_0 && o <= op::aload_3) return load(static_cast<uint32_t>((o - op::iload_0) % 4));
        if (o >= op::iconst_m1 && o <= op::iconst_5) return push(makeIntLiteral(o - op::iconst_0)), true;
        if (o == op::lconst_0 || o == op::lconst_1) return push(makeIntLiteral(o - op::lconst_0, 'J')), true;
        if (o >= op::fconst_0 && o <= op::dconst_1) return realConstant(o);
        if (o == op::bipush || o == op::sipush) return push(makeIntLiteral(insn.value)), true;
        if (o >= op::pop && o <= op::dup2_x2) return shuffle(o);
        if (o >= op::iadd && o < 116) return binary(kArithmetic[(o - op::iadd) / 4], o);
        if (o >= 116 && o <= op::dneg) return push(makeUnary("-", pop(), primitive("IJFD"[o - 116]))), true;
        if (o >= op::ishl && o <= op::lxor) return binary(kShiftsAndLogic[(o - op::ishl) / 2], o);
        if (o >= op::i2l && o <= op::i2s) return push(makeCast(primitive(kConversionTargets[o - op::i2l]), pop())), true;
        if (o >= op::getstatic && o <= op::putfield) return field(insn, o);
        if (o >= op::invokevirtual && o <= op::invokeinterface) return invoke(insn, o);
        if (o == op::new_) {
            push(makeExpr(ExprKind::Uninitialized, objectType(_owner.pool.className(static_cast<uint16_t>(insn.index)))));
            return true;
        }
        if (o == op::checkcast) {
            push(makeCast(typeOfClassName(_owner.pool.className(static_cast<uint16_t>(insn.index))), pop()));
            return true;
        }
        if (o >= op::ireturn && o <= op::return_) {
            if (o != op::return_) result = pop();
            _done = true;
            return true;
        }
        return false;
    }

    bool realConstant(uint8_t o) {
        const bool isFloat = o <= op::fconst_2;
        auto e = makeExpr(ExprKind::Literal, primitive(isFloat ? 'F' : 'D'));
        e->literal.tag = isFloat ? 'F' : 'D';
        e->literal.real = isFloat ? o - op::fconst_0 : o - op::dconst_0;
        push(e);
        return true;
    }

    bool binary(const char* text, uint8_t o) {
        ExprPtr right = pop();
        ExprPtr left = pop();
        const bool shift = o >= op::ishl && o <= 125;
        JavaType type = shift ? left->type : left->type.base == 'Z' || left->type.base == 'B' || left->type.base == 'C' ||
                                                     left->type.base == 'S' ? primitive('I') : left->type;
        push(makeBinary(text, left, right, type));
        return true;
    }

    // The dup, pop and swap family, over values rather than slots.
    bool shuffle(uint8_t o) {
        const size_t n = _stack.size();
        auto wide = [&](size_t fromTop) { return n > fromTop && isWide(*_stack[n - 1 - fromTop]); };
        auto insertCopy = [&](size_t below) {  // copy the top value under `below` values
            if (n < below + 1) return false;
            ExprPtr top = _stack.back();
            _stack.insert(_stack.end() - static_cast<long>(below) - 1, top);
            return true;
        };
        switch (o) {
        case op::pop: if (n == 0 || wide(0)) return false; _stack.pop_back(); return true;
        case op::dup: return n > 0 && !wide(0) && insertCopy(0);
        case op::dup_x1: return n > 1 && !wide(0) && !wide(1) && insertCopy(1);
        case op::dup_x2: return n > 1 && !wide(0) && wide(1) && insertCopy(1);
        case op::dup2: return n > 0 && wide(0) && insertCopy(0);
        case op::dup2_x1: return n > 1 && wide(0) && !wide(1) && insertCopy(1);
        case op::dup2_x2: return n > 1 && wide(0) && wide(1) && insertCopy(1);
        default: return false;
        }
    }

    bool field(const Instruction& insn, uint8_t o) {
        const MemberRef ref = _owner.pool.memberRef(static_cast<uint16_t>(insn.index));
        auto type = parseFieldDescriptor(ref.descriptor);
        if (!type) return false;
        auto f = makeExpr(ExprKind::Field, *type);
        f->owner = ref.owner;
        f->name = ref.name;
        f->descriptor = ref.descriptor;
        f->isStatic = o == op::getstatic || o == op::putstatic;
        ExprPtr value;
        if (o == op::putstatic || o == op::putfield) value = pop();
        if (!f->isStatic) f->args = {pop()};
        if (!value) return push(f), true;
        auto assign = makeExpr(ExprKind::Assign, *type);
        assign->args = {f, value};
        effects.push_back(assign);
        return true;
    }

    bool invoke(const Instruction& insn, uint8_t o) {
        const MemberRef ref = _owner.pool.memberRef(static_cast<uint16_t>(insn.index));
        auto type = methodTypeOf(ref.descriptor);
        if (!type) return false;
        std::vector<ExprPtr> args(type->parameters.size());
        for (size_t i = args.size(); i-- > 0;) args[i] = pop();
        if (ref.name == "<init>") return construct(ref, args, o);
        // A special call to another class is a super call, which no source
        // outside that class can write.
        if (o == op::invokespecial && ref.owner != _owner.thisClass) return false;
        auto call = makeExpr(ExprKind::Invoke, type->returnType);
        call->owner = ref.owner;
        call->name = ref.name;
        call->descriptor = ref.descriptor;
        call->isStatic = o == op::invokestatic;
        call->invoke = o == op::invokestatic ? InvokeKind::Static
                       : o == op::invokeinterface ? InvokeKind::Interface : InvokeKind::Virtual;
        if (!call->isStatic) call->args.push_back(pop());
        call->args.insert(call->args.end(), args.begin(), args.end());
        if (type->returnType.base == 'V' && type->returnType.dimensions == 0) {
            effects.push_back(call);
        } else {
            push(call);
        }
        return true;
    }

    // new C; dup; ...; invokespecial C.<init>: every copy of the placeholder
    // becomes the new object.
    bool construct(const MemberRef& ref, std::vector<ExprPtr>& args, uint8_t o) {
        ExprPtr placeholder = pop();
        if (o != op::invokespecial || placeholder->kind != ExprKind::Uninitialized || placeholder->type.className != ref.owner) {
            return false;
        }
        auto e = makeExpr(ExprKind::New, placeholder->type);
        e->owner = ref.owner;
        e->descriptor = ref.descriptor;
        e->args = std::move(args);
        for (ExprPtr& slot : _stack) {
            if (slot == placeholder) slot = e;
        }
        return true;
    }

    static constexpr const char* kArithmetic[] = {"+", "-", "*", "/", "%"};
    static constexpr const char* kShiftsAndLogic[] = {"<<", ">>", ">>>", "&", "|", "^"};
    static constexpr const char kConversionTargets[] = "JFDIFDIJDIJFBCS";

    const ClassFile& _owner;
    std::vector<VarPtr> _slots;
    std::vector<ExprPtr> _stack;
    bool _done = false;
};

ExprPtr withoutSameTypeCast(const ExprPtr& value, const JavaType& type) {
    if (value->kind == ExprKind::Cast && sameType(value->type, type)) return value->args[0];
    return value;
}

bool readsTarget(const Expr& e, const Expr& target) {
    if (samePure(e, target)) return true;
    return e.kind == ExprKind::Cast && !e.type.isReference() && samePure(*e.args[0], target);
}

bool isBuilderCall(const Expr& e, const char* name) {
    return e.kind == ExprKind::Invoke && e.name == name && !e.isStatic &&
           (e.owner == "java/lang/StringBuilder" || e.owner == "java/lang/StringBuffer");
}

// new StringBuilder().append(target).append(x).toString(), or the older
// new StringBuilder(String.valueOf(target)).append(x).toString(): the x of `target += x`.
ExprPtr appendedToTarget(const Expr& value, const Expr& target) {
    if (!isBuilderCall(value, "toString") || value.args.size() != 1) return nullptr;
    const Expr& append = *value.args[0];
    if (!isBuilderCall(append, "append") || append.args.size() != 2) return nullptr;
    const Expr& start = *append.args[0];
    if (isBuilderCall(start, "append") && start.args.size() == 2 && samePure(*start.args[1], target) &&
        start.args[0]->kind == ExprKind::New && start.args[0]->descriptor == "()V") {
        return append.args[1];
    }
    if (start.kind == ExprKind::New && start.args.size() == 1) {
        const Expr& init = *start.args[0];
        if (samePure(init, target)) return append.args[1];
        if (init.kind == ExprKind::Invoke && init.isStatic && init.name == "valueOf" && init.args.size() == 1 &&
            samePure(*init.args[0], target)) return append.args[1];
    }
    return nullptr;
}

ExprPtr update(ExprKind kind, const std::string& op, const ExprPtr& target, const ExprPtr& amount) {
    auto e = makeExpr(kind, target->type);
    e->op = op;
    e->args = {target};
    if (amount) e->args.push_back(amount);
    return e;
}

// `target = value` used for its value: an increment or compound assignment
// when the value is computed from the target itself.
ExprPtr assignmentValue(const ExprPtr& assign) {
    const ExprPtr& target = assign->args[0];
    const ExprPtr value = withoutSameTypeCast(assign->args[1], target->type);
    if (target->type.className == "java/lang/String" && target->type.dimensions == 0) {
        if (ExprPtr piece = appendedToTarget(*value, *target)) return update(ExprKind::CompoundAssign, "+", target, piece);
    }
    if (value->kind != ExprKind::Binary || !readsTarget(*value->args[0], *target)) return assign;
    static const char* const ops[] = {"+", "-", "*", "/", "%", "<<", ">>", ">>>", "&", "|", "^"};
    bool known = false;
    for (const char* op : ops) known = known || value->op == op;
    if (!known) return nullptr;
    if ((value->op == "+" || value->op == "-") && isOne(*value->args[1]) && target->type.base != 'Z') {
        return update(ExprKind::PreIncrement, value->op + value->op, target, nullptr);
    }
    return update(ExprKind::CompoundAssign, value->op, target, value->args[1]);
}

ExprPtr combine(const Evaluator& ev) {
    if (ev.effects.empty()) return ev.result;
    if (ev.effects.size() != 1) return nullptr;
    const ExprPtr& effect = ev.effects[0];
    if (effect->kind == ExprKind::Invoke) return ev.result ? nullptr : effect;
    if (!ev.result || ev.result == effect->args[1]) return assignmentValue(effect);
    // The value read before the store is returned: a post-increment.
    const ExprPtr& target = effect->args[0];
    const ExprPtr value = withoutSameTypeCast(effect->args[1], target->type);
    if (value->kind == ExprKind::Binary && (value->op == "+" || value->op == "-") && value->args[0] == ev.result &&
        isOne(*value->args[1]) && samePure(*ev.result, *target) && target->type.base != 'Z') {
        return update(ExprKind::PostIncrement, value->op + value->op, target, nullptr);
    }
    return nullptr;
}

// Every parameter is used once, in order, so that the call's arguments keep
// their evaluation order and count.
bool usesEachParameterOnce(const ExprPtr& e, size_t count) {
    std::vector<int> order;
    std::vector<const Expr*> pending{e.get()};
    while (!pending.empty()) {
        const Expr* x = pending.back();
        pending.pop_back();
        if (x->kind == ExprKind::Local && x->var && x->var->kind == VarKind::Parameter) order.push_back(x->var->slot);
        for (size_t i = x->args.size(); i-- > 0;) pending.push_back(x->args[i].get());
    }
    if (order.size() != count) return false;
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] != static_cast<int>(i)) return false;
    }
    return true;
}

ExprPtr instantiate(const ExprPtr& t, const std::vector<ExprPtr>& args) {
    if (t->kind == ExprKind::Local && t->var && t->var->kind == VarKind::Parameter) {
        return args[static_cast<size_t>(t->var->slot)];
    }
    auto copy = std::make_shared<Expr>(*t);
    for (ExprPtr& a : copy->args) a = instantiate(a, args);
    return copy;
}

// new Inner(x, (Outer$1)null) through the synthetic constructor javac adds
// beside a private one: the private constructor is the one the source called.
void dropAccessTag(Expr& e, const ClassFile& owner, const UnitContext* unit) {
    const bool creation = e.kind == ExprKind::New;
    if (!creation && e.kind != ExprKind::Invoke) return;
    if (e.args.empty() || (!creation && e.args.size() < 2)) return;
    const Expr* last = e.args.back().get();
    if (last->kind == ExprKind::Cast) last = last->args[0].get();
    if (last->kind != ExprKind::Null) return;
    // this runs for every call: the name is compared only once the rest fits
    if (!creation && e.name != "<init>") return;
    auto type = methodTypeOf(e.descriptor);
    if (!type || type->parameters.empty() || type->parameters.back().base != 'L' || type->parameters.back().isArray()) return;
    std::string shorter = "(";
    for (size_t i = 0; i + 1 < type->parameters.size(); ++i) shorter += type->parameters[i].descriptor();
    shorter += ")V";
    const ClassFile* cls = classOf(e.owner, owner, unit);
    if (!cls) return;
    const Method* access = findMethod(*cls, "<init>", e.descriptor);
    if (!access || !isSynthetic(*access) || !findMethod(*cls, "<init>", shorter)) return;
    e.args.pop_back();
    e.descriptor = shorter;
}

}  // namespace

ExprPtr accessorTemplate(const ClassFile& owner, const Method& method) {
    if (!(method.access & access::Static) || !isSynthetic(method) || !method.code) return nullptr;
    auto type = methodTypeOf(method.descriptor);
    if (!type) return nullptr;
    const DecodedCode code = decode(*method.code, owner.pool);
    if (!code.ok()) return nullptr;
    Evaluator ev(owner, *type);
    try {
        if (!ev.run(code)) return nullptr;
    } catch (const Unsupported&) {
        return nullptr;
    } catch (const ClassFormatError&) {
        return nullptr;
    }
    ExprPtr e = combine(ev);
    if (!e || !usesEachParameterOnce(e, type->parameters.size())) return nullptr;
    return e;
}

void inlineAccessors(StmtList& body, const ClassFile& owner, const UnitContext* unit) {
    std::map<std::string, ExprPtr> templates;
    visitAllExprs(body, [&](ExprPtr& slot) {
        Expr& e = *slot;
        dropAccessTag(e, owner, unit);
        if (e.kind != ExprKind::Invoke || !e.isStatic || e.name.rfind("access$", 0) != 0) return;
        const ClassFile* cls = classOf(e.owner, owner, unit);
        if (!cls) return;
        const Method* method = findMethod(*cls, e.name, e.descriptor);
        if (!method || !(method->access & access::Static) || !isSynthetic(*method)) return;
        const std::string key = e.owner + "." + e.name + e.descriptor;
        auto found = templates.find(key);
        if (found == templates.end()) found = templates.emplace(key, accessorTemplate(*cls, *method)).first;
        if (!found->second) throw Unsupported{"unrecognised accessor"};
        slot = instantiate(found->second, e.args);
    });
}

}  // namespace jad::body
