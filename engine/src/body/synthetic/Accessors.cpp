#include "body/synthetic/Accessors.h"

#include <map>
#include <optional>

#include "body/decode/Instruction.h"
#include "body/flow/Stack.h"
#include "body/ir/Failure.h"
#include "body/ir/Walk.h"
#include "body/types/ClassLookup.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

// javac's accessors are a handful of instructions; anything longer is not one.
constexpr size_t MaxAccessorInstructions = 48;

bool isOne(const Expr& e) {
    if (e.kind != ExprKind::Literal) return false;
    return (e.literal.tag == 'I' || e.literal.tag == 'J') ? e.literal.integer == 1 : e.literal.real == 1.0;
}

// An accessor's code as the stack stage reads it: the statements it makes
// are its effects, the value it returns its result. Its temporaries (javac's
// dup forms) are read as the values they hold, the same node at each read,
// so that a value stored and returned is one value.
struct Accessor {
    std::vector<ExprPtr> effects;
    ExprPtr result;  // null for a void accessor
};

// Only what an expression of the calling method can say: no super calls,
// nothing that names the accessor's own synthetic members or handlers.
bool expressible(const ExprPtr& e) {
    bool ok = true;
    forEachExpr(e, [&](const ExprPtr& x) {
        ok = ok && x->kind != ExprKind::Lambda && x->kind != ExprKind::Switch && x->kind != ExprKind::Caught &&
             x->kind != ExprKind::Uninitialized && !(x->kind == ExprKind::Invoke && x->invoke == InvokeKind::Super);
    });
    return ok;
}

ExprPtr withTemps(const ExprPtr& e, const std::map<const Var*, ExprPtr>& temps) {
    if (e->kind == ExprKind::Local) {
        auto found = temps.find(e->var.get());
        return found == temps.end() ? e : found->second;
    }
    for (ExprPtr& arg : e->args) arg = withTemps(arg, temps);
    return e;
}

// The statements of one straight block, ending in its return.
std::optional<Accessor> readStatements(const StmtList& stmts) {
    Accessor accessor;
    std::map<const Var*, ExprPtr> temps;
    for (size_t i = 0; i < stmts.size(); ++i) {
        const Stmt& s = *stmts[i];
        const bool last = i + 1 == stmts.size();
        if (!s.declare.empty() || (s.expr && !expressible(s.expr))) return std::nullopt;
        if (s.kind == StmtKind::Return && last) {
            if (s.expr) accessor.result = withTemps(s.expr, temps);
            return accessor;
        }
        if (s.kind != StmtKind::Expr || last) return std::nullopt;
        const Expr& e = *s.expr;
        if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Local && e.args[0]->var->kind == VarKind::Temp) {
            temps[e.args[0]->var.get()] = withTemps(e.args[1], temps);
        } else {
            accessor.effects.push_back(withTemps(s.expr, temps));
        }
    }
    return std::nullopt;
}

// The accessor's code through the stack stage; its parameters' slots become
// their indexes, for instantiate().
std::optional<Accessor> simulate(const ClassFile& owner, const Method& method) {
    const Code& raw = *method.code;
    const DecodedCode code = decode(raw, owner.pool);
    if (!code.ok() || code.instructions.size() > MaxAccessorInstructions || !raw.handlers.empty()) return std::nullopt;
    Budget budget(100000);
    Cfg cfg = buildCfg(code, raw, budget);
    const std::vector<int> order = cfg.reversePostorder(raw.handlers);
    if (order.size() != 1) return std::nullopt;
    const std::vector<std::string> names;
    Locals locals = buildLocals({code, cfg, order, raw, method, owner.thisClass, names}, budget);
    StackInput input{code, cfg, order, raw, owner, method, locals};
    buildExpressions(input, budget);
    const Block& block = cfg.blocks[static_cast<size_t>(order[0])];
    if (block.exit != BlockExit::End) return std::nullopt;
    for (size_t i = 0; i < locals.params.size(); ++i) locals.params[i]->slot = static_cast<int>(i);
    return readStatements(block.stmts);
}

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

ExprPtr combine(const Accessor& ev) {
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
    std::optional<Accessor> ev;
    try {
        ev = simulate(owner, method);
    } catch (const Unsupported&) {
        return nullptr;
    } catch (const ClassFormatError&) {
        return nullptr;
    }
    if (!ev) return nullptr;
    ExprPtr e = combine(*ev);
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
