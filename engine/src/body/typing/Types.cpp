#include "body/typing/Types.h"

#include <map>
#include <string_view>

#include "body/generics/ErasureCasts.h"
#include "body/ir/RefTypes.h"
#include "body/ir/Walk.h"
#include "body/types/Hierarchy.h"
#include "body/types/Nameable.h"
#include "body/types/OuterInstances.h"
#include "classfile/Signature.h"

namespace jad::body {

namespace {

enum class Context : uint8_t { None, Assignment, Invocation, ExactInvocation, Receiver, Condition };

struct Want {
    const JavaType* type = nullptr;
    Context context = Context::None;
    bool guessed = false;  // the type is an inferred one, not one the class file states
};

bool isPrimitive(const JavaType& t, char base) { return t.dimensions == 0 && t.base == base; }

bool isObject(const JavaType& t) { return t.dimensions == 0 && t.base == 'L' && t.className == "java/lang/Object"; }

// Operator tests run for every node of every walk; a string_view comparison
// checks the length first instead of calling into the library.
bool opIs(const Expr& e, std::string_view op) { return std::string_view(e.op) == op; }
bool isBitwiseOp(const Expr& e) { return opIs(e, "&") || opIs(e, "|") || opIs(e, "^"); }
bool isEqualityOp(const Expr& e) { return opIs(e, "==") || opIs(e, "!="); }

// Visits every expression slot with the type its context requires, parents
// before children. `Visit` is called as visit(ExprPtr& slot, const Want&).
// Arguments of this class's own overloads get ExactInvocation only when
// `exactOverloads` is set: finding them searches the class's methods, and a
// visitor that treats both contexts alike need not pay for it.
template <typename Visit> class ContextWalker {
public:
    ContextWalker(const MethodTypes& method, bool exactOverloads, Visit visit)
        : _method(method), _exactOverloads(exactOverloads), _visit(std::move(visit)) {}

    void walk(StmtList& list) {
        for (StmtPtr& s : list) {
            forEachChildList(*s, [&](StmtList& child) { walk(child); });
            if (!s->expr) continue;
            switch (s->kind) {
            case StmtKind::Return: expr(s->expr, {&_method.returnType, Context::Assignment}); break;
            case StmtKind::If: case StmtKind::Loop: expr(s->expr, {&_boolean, Context::Condition}); break;
            default: expr(s->expr, {}); break;
            }
        }
    }

    void expr(ExprPtr& slot, const Want& want) {
        _visit(slot, want);
        Expr& e = *slot;
        switch (e.kind) {
        case ExprKind::Assign: {
            const Expr& to = *e.args[0];
            const JavaType& target = to.kind == ExprKind::Local ? to.var->type : to.type;
            const bool guessed = to.kind == ExprKind::ArrayElement || (to.kind == ExprKind::Local && !to.var->declaredType);
            lvalue(e.args[0]);
            expr(e.args[1], {&target, Context::Assignment, guessed});
            return;
        }
        case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement: {
            lvalue(e.args[0]);
            const bool logical = isPrimitive(e.args[0]->type, 'Z') && isBitwiseOp(e);
            for (size_t i = 1; i < e.args.size(); ++i) expr(e.args[i], logical ? Want{&_boolean, Context::Condition} : Want{});
            return;
        }
        case ExprKind::Invoke: return invoke(e);
        case ExprKind::New: return arguments(e, 0, e.descriptor, _exactOverloads && overloadedConstructor(e));
        case ExprKind::Concat: case ExprKind::Lambda: return arguments(e, 0, e.descriptor);
        case ExprKind::NewArray:
            for (ExprPtr& size : e.args) expr(size, {&_int, Context::Assignment});
            return;
        case ExprKind::ArrayInit: {
            const JavaType element = e.type.elementType();
            for (ExprPtr& item : e.args) expr(item, {&element, Context::Assignment});
            return;
        }
        case ExprKind::ArrayElement: return lvalue(slot);
        case ExprKind::Field: return lvalue(slot);
        case ExprKind::Binary:
            // `k = j | (a < b)` with k boolean makes j one too.
            if (opIs(e, "&&") || opIs(e, "||") ||
                (isBitwiseOp(e) && (isPrimitive(e.type, 'Z') || (want.type && isPrimitive(*want.type, 'Z'))))) {
                for (ExprPtr& c : e.args) expr(c, {&_boolean, Context::Condition});
                return;
            }
            if (isEqualityOp(e) && (isPrimitive(e.args[0]->type, 'Z') || isPrimitive(e.args[1]->type, 'Z'))) {
                for (ExprPtr& c : e.args) expr(c, {&_boolean, Context::Condition});
                return;
            }
            for (ExprPtr& c : e.args) expr(c, {});
            return;
        case ExprKind::Unary:
            expr(e.args[0], opIs(e, "!") ? Want{&_boolean, Context::Condition} : Want{});
            return;
        case ExprKind::Conditional: {
            expr(e.args[0], {&_boolean, Context::Condition});
            const JavaType* branchType = want.type ? want.type : &e.type;
            const Want branch{branchType, want.type ? want.context : Context::None, !want.type || want.guessed};
            expr(e.args[1], branch);
            expr(e.args[2], branch);
            return;
        }
        default:
            for (ExprPtr& c : e.args) expr(c, {});
            return;
        }
    }

private:
    // Sub-expressions of an assignment target or access path.
    void lvalue(ExprPtr& slot) {
        Expr& e = *slot;
        if (e.kind == ExprKind::Field && !e.isStatic) {
            const JavaType owner = typeOfClassName(e.owner);
            expr(e.args[0], {&owner, Context::Receiver});
        } else if (e.kind == ExprKind::ArrayElement) {
            expr(e.args[0], {});
            expr(e.args[1], {&_int, Context::Assignment});
        }
    }

    void invoke(Expr& e) {
        size_t first = 0;
        if (!e.isStatic) {
            first = 1;
            if (e.name != "<init>" && e.invoke != InvokeKind::Super) {
                const JavaType owner = typeOfClassName(e.owner);
                expr(e.args[0], {&owner, Context::Receiver});
            } else {
                expr(e.args[0], {});
            }
        }
        arguments(e, first, e.descriptor, _exactOverloads && overloaded(e));
    }

    // Another method with the name and as many parameters that the call
    // could select: of this class, or with the hierarchy, of any class.
    bool overloaded(const Expr& call) const {
        if (_method.hierarchy) {
            const Hierarchy& h = *_method.hierarchy;
            const std::vector<JavaType> printed = printedTypes(call);
            // Arguments of exactly the parameters' types select the method
            // whatever else is declared: no class need be read.
            auto type = methodTypeOf(call.descriptor);
            if (type && printed.size() == type->parameters.size()) {
                bool exact = true;
                for (size_t i = 0; exact && i < printed.size(); ++i) exact = sameType(printed[i], type->parameters[i]);
                if (exact) return false;
            }
            auto ambiguousFrom = [&](const std::string& cls) {
                return h.mayOverload(cls, call.name, call.descriptor) && !h.selects(cls, call.name, call.descriptor, printed);
            };
            // The printed call looks the name up from the receiver's own
            // type, which may declare overloads the bytecode's class lacks.
            const std::string receiver = receiverClass(call);
            return ambiguousFrom(call.owner) || (!receiver.empty() && receiver != call.owner && ambiguousFrom(receiver));
        }
        if (!_method.owner || call.owner != _method.owner->thisClass) return false;
        auto own = parameterCount(call.descriptor);
        if (!own) return false;
        for (const Method& m : _method.owner->methods) {
            if (m.name != call.name || m.descriptor == call.descriptor) continue;
            if (parameterCount(m.descriptor) == own) return true;
        }
        return false;
    }

    // The class a call's method lookup starts from as printed; empty for
    // static calls, constructors and super calls, which start at the owner.
    static std::string receiverClass(const Expr& call) {
        if (call.isStatic || call.args.empty() || call.name == "<init>" || call.invoke == InvokeKind::Super) return {};
        const Expr& receiver = *call.args[0];
        const std::string instance = instanceClassOf(receiver);
        if (!instance.empty()) return instance;
        const JavaType& t = receiver.type;
        return t.dimensions == 0 && t.base == 'L' ? t.className : std::string();
    }

    // The static types the arguments print with: primitives and null get
    // the parameter's own type (coercion sees to that), references keep theirs.
    static std::vector<JavaType> printedTypes(const Expr& call) {
        std::vector<JavaType> types;
        auto type = methodTypeOf(call.descriptor);
        const size_t first = call.isStatic ? 0 : 1;
        if (!type || call.args.size() < first || call.args.size() - first != type->parameters.size()) return types;
        for (size_t i = first; i < call.args.size(); ++i) {
            const Expr& a = *call.args[i];
            const JavaType& param = type->parameters[i - first];
            const bool coerced = a.kind == ExprKind::Null || (!a.type.isReference() && !param.isReference());
            types.push_back(coerced ? param : a.type);
        }
        return types;
    }

    // A local or anonymous class's creation passes captured values, which
    // must stay as they are to be recognized; its constructor is its own.
    bool overloadedConstructor(const Expr& creation) const {
        if (!_method.hierarchy) return false;
        const ClassFile* file = _method.hierarchy->find(creation.owner);
        if (file) {
            for (const InnerClass& inner : file->innerClasses) {
                if (inner.innerClass == file->thisClass && inner.outerClass.empty()) return false;
            }
        }
        return _method.hierarchy->mayOverload(creation.owner, "<init>", creation.descriptor);
    }

    // A parameter that may be a type variable, erased: a cast to its
    // erasure would not compile where the receiver's type binds it
    // (`FileVisitor<Path>.visitFile((Object) p, ...)`). A parameterized
    // type takes the raw cast, unchecked: without it the call may select a
    // more specific overload, even the caller. So may an Object
    // one of a method that cannot be seen (with -m an array of Object too,
    // a `T[]` erased). A generic method's parameter of
    // a plain type, or of one of its own variables, takes the cast: without
    // it the call may select a more specific overload, even the caller.
    bool mayBeTypeVariable(const Expr& call, const JavaType& param, size_t index) const {
        if (!param.isReference() || !_method.hierarchy) return false;
        const Method* declared = _method.hierarchy->declaration(call.owner, call.name, call.descriptor);
        if (!declared) {
            return param.base == 'L' && param.className == "java/lang/Object" && (param.dimensions == 0 || _method.generic);
        }
        if (!_method.generic || rawReceiver(call)) return false;
        return !erasureCastCompiles(*declared, index);
    }

    // A local declared with the raw type of a generic class: its members,
    // inherited ones too, take erased parameters. (A class that is not
    // generic may bind its supertypes' variables.)
    bool rawReceiver(const Expr& call) const {
        if (call.isStatic || call.args.empty() || call.name == "<init>") return false;
        const Expr& receiver = *call.args[0];
        if (receiver.kind != ExprKind::Local || receiver.var->kind == VarKind::This || receiver.var->generic) return false;
        const JavaType& type = receiver.var->type;
        if (type.dimensions != 0 || type.base != 'L') return false;
        const ClassFile* file = _method.hierarchy->find(type.className);
        if (!file || file->signature.empty()) return false;
        const auto signature = parseClassSignature(file->signature);
        return signature && !signature->typeParameters.empty();
    }

    void arguments(Expr& e, size_t first, const std::string& descriptor, bool exact = false) {
        auto type = methodTypeOf(descriptor);
        for (size_t i = first; i < e.args.size(); ++i) {
            const size_t p = i - first;
            if (!type || p >= type->parameters.size()) {
                expr(e.args[i], {});
                continue;
            }
            const JavaType& param = type->parameters[p];
            const bool exactHere = exact && !(e.kind == ExprKind::Invoke && mayBeTypeVariable(e, param, p));
            expr(e.args[i], {&param, exactHere ? Context::ExactInvocation : Context::Invocation});
        }
    }

    const MethodTypes& _method;
    const bool _exactOverloads;
    Visit _visit;
    const JavaType _boolean = primitive('Z');
    const JavaType _int = primitive('I');
};

bool isIntLiteral(const Expr& e) { return e.kind == ExprKind::Literal && e.literal.tag == 'I'; }

struct Evidence {
    bool boolOk = true, byteOk = true, charOk = true, shortOk = true;
    bool boolSeen = false, byteSeen = false, charSeen = false, shortSeen = false;
    bool wantsBool = false;
    RefEvidence ref;
};

bool zeroOrOneOnly(const Expr& e);

// Whether `e` may still turn out a boolean: 0 and 1, booleans, locals whose
// type is still being found, and &, |, ^ or ?: of those.
bool mayBeBoolean(const Expr& e) {
    if (zeroOrOneOnly(e)) return true;
    if (e.kind == ExprKind::Local) {
        return !e.var->declaredType && e.var->kind != VarKind::Parameter && e.var->kind != VarKind::This &&
               isIntLike(e.var->type);
    }
    if (e.kind == ExprKind::Binary && isBitwiseOp(e)) return mayBeBoolean(*e.args[0]) && mayBeBoolean(*e.args[1]);
    return e.kind == ExprKind::Conditional && mayBeBoolean(*e.args[1]) && mayBeBoolean(*e.args[2]);
}

void noteIntValue(Evidence& ev, const Expr& value) {
    if (value.kind == ExprKind::Conditional) {
        noteIntValue(ev, *value.args[1]);
        noteIntValue(ev, *value.args[2]);
        return;
    }
    if (isIntLiteral(value)) {
        const int64_t n = value.literal.integer;
        ev.boolOk = ev.boolOk && (n == 0 || n == 1);
        ev.byteOk = ev.byteOk && n >= -128 && n <= 127;
        ev.shortOk = ev.shortOk && n >= -32768 && n <= 32767;
        ev.charOk = ev.charOk && n >= 0 && n <= 0xffff;
        return;
    }
    const char t = value.type.dimensions == 0 ? value.type.base : 'I';
    const bool bitwise = value.kind == ExprKind::Binary && isBitwiseOp(value);
    ev.boolOk = ev.boolOk && (t == 'Z' || (bitwise && mayBeBoolean(value)));
    ev.boolSeen = ev.boolSeen || t == 'Z';
    ev.byteOk = ev.byteOk && t == 'B';
    ev.byteSeen = ev.byteSeen || t == 'B';
    ev.charOk = ev.charOk && t == 'C';
    ev.charSeen = ev.charSeen || t == 'C';
    ev.shortOk = ev.shortOk && (t == 'S' || t == 'B');
    ev.shortSeen = ev.shortSeen || t == 'S';
}

// `x op= v`, `x++`: only `&=`, `|=` and `^=` apply to a boolean, which
// stays one when the operand is one (`z |= flag`, `z &= a < b`).
void noteStep(Evidence& ev, const Expr& step) {
    if (step.kind != ExprKind::CompoundAssign || !isBitwiseOp(step) || step.args.size() != 2) {
        ev.boolOk = false;
        return;
    }
    const Expr& v = *step.args[1];
    ev.boolOk = ev.boolOk && zeroOrOneOnly(v);
    ev.boolSeen = ev.boolSeen || isPrimitive(v.type, 'Z') || v.kind == ExprKind::Conditional;
}

bool exactExpr(const Expr& e);

void noteRefValue(RefEvidence& ev, const Expr& value) {
    if (value.kind == ExprKind::Conditional) {
        noteRefValue(ev, *value.args[1]);
        noteRefValue(ev, *value.args[2]);
        return;
    }
    if (value.kind != ExprKind::Null) ev.values.push_back(value.type);
    if (!exactExpr(value)) ev.inexact = true;
}

// x[i][j] = v: the types v may have, as a store at depth 2 into x.
void noteStore(RefEvidence& ev, int depth, const Expr& value) {
    if (value.kind == ExprKind::Conditional) {
        noteStore(ev, depth, *value.args[1]);
        noteStore(ev, depth, *value.args[2]);
    } else if (value.kind != ExprKind::Null && value.type.isReference()) {
        ev.stores.emplace_back(depth, value.type);
    }
}

// The local an element path x[i][j] starts from, and how deep it goes.
const Expr* elementRoot(const Expr& e, int& depth) {
    const Expr* at = &e;
    depth = 0;
    while (at->kind == ExprKind::ArrayElement) {
        at = at->args[0].get();
        ++depth;
    }
    return at->kind == ExprKind::Local ? at : nullptr;
}

// A use that states the type it needs (a receiver, a parameter, a field,
// a return), not one that only repeats an inference.
bool asksType(const Want& want) {
    if (!want.type || want.guessed || !want.type->isReference()) return false;
    return want.context == Context::Receiver || want.context == Context::Invocation ||
           want.context == Context::ExactInvocation || want.context == Context::Assignment;
}

bool exactExpr(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Local: case ExprKind::This: return e.var->exact || e.var->declaredType;
    case ExprKind::Conditional: return false;
    case ExprKind::ArrayElement: return exactExpr(*e.args[0]);
    case ExprKind::Assign: return exactExpr(*e.args[0]);
    default: return true;
    }
}

JavaType decideIntLike(const Evidence& ev) {
    if (ev.boolOk && (ev.boolSeen || ev.wantsBool)) return primitive('Z');
    if (ev.charOk && ev.charSeen) return primitive('C');
    if (ev.byteOk && ev.byteSeen) return primitive('B');
    if (ev.shortOk && ev.shortSeen) return primitive('S');
    return primitive('I');
}

void retypeAll(StmtList& body) {
    visitAllExprs(body, [](ExprPtr& slot) { retype(*slot); });
}

// A conditional of 0/1 literals (or such a literal) becomes boolean-typed.
// 0, 1, booleans, and &, |, ^ or ?: of those only.
bool zeroOrOneOnly(const Expr& e) {
    if (isPrimitive(e.type, 'Z')) return true;
    if (isIntLiteral(e)) return e.literal.integer == 0 || e.literal.integer == 1;
    if (e.kind == ExprKind::Binary && isBitwiseOp(e)) {
        return zeroOrOneOnly(*e.args[0]) && zeroOrOneOnly(*e.args[1]);
    }
    return e.kind == ExprKind::Conditional && zeroOrOneOnly(*e.args[1]) && zeroOrOneOnly(*e.args[2]);
}

void makeBoolean(Expr& e) {
    if (isIntLiteral(e) && (e.literal.integer == 0 || e.literal.integer == 1)) {
        e.type = primitive('Z');
    } else if (e.kind == ExprKind::Binary && isIntLike(e.type) && zeroOrOneOnly(e)) {
        // 0 ^ 1 next to a boolean: the source's false ^ true
        makeBoolean(*e.args[0]);
        makeBoolean(*e.args[1]);
        if (isPrimitive(e.args[0]->type, 'Z') && isPrimitive(e.args[1]->type, 'Z')) e.type = primitive('Z');
    } else if (e.kind == ExprKind::Conditional && isIntLike(e.type)) {
        const Expr& a = *e.args[1];
        const Expr& b = *e.args[2];
        const bool okA = isPrimitive(a.type, 'Z') || (isIntLiteral(a) && (a.literal.integer == 0 || a.literal.integer == 1)) || a.kind == ExprKind::Conditional;
        const bool okB = isPrimitive(b.type, 'Z') || (isIntLiteral(b) && (b.literal.integer == 0 || b.literal.integer == 1)) || b.kind == ExprKind::Conditional;
        if (!okA || !okB) return;
        makeBoolean(*e.args[1]);
        makeBoolean(*e.args[2]);
        if (isPrimitive(e.args[1]->type, 'Z') && isPrimitive(e.args[2]->type, 'Z')) e.type = primitive('Z');
    }
}

// Retyping mostly finds the type already in place: comparing is cheaper
// than copying the class name again.
void assignType(JavaType& to, const JavaType& from) {
    if (to.base != from.base || to.dimensions != from.dimensions || to.className != from.className) to = from;
}

bool literalFits(const Expr& e, char base) {
    if (!isIntLiteral(e)) return false;
    const int64_t n = e.literal.integer;
    switch (base) {
    case 'B': return n >= -128 && n <= 127;
    case 'S': return n >= -32768 && n <= 32767;
    case 'C': return n >= 0 && n <= 0xffff;
    default: return false;
    }
}

// The type Java gives `c ? a : b` for two int-like numeric branches: the
// narrow type only when both have it (byte widening to short, an int
// constant that fits), int otherwise. A narrow type taken from one branch
// would cast the other one down.
JavaType conditionalIntType(const Expr& a, const Expr& b) {
    const char x = a.type.base, y = b.type.base;
    if (x == y) return a.type;
    if ((x == 'B' && y == 'S') || (x == 'S' && y == 'B')) return primitive('S');
    if (x != 'I' && literalFits(b, x)) return a.type;
    if (y != 'I' && literalFits(a, y)) return b.type;
    return primitive('I');
}

}  // namespace

void retype(Expr& e) {
    switch (e.kind) {
    case ExprKind::Local: case ExprKind::This: assignType(e.type, e.var->type); break;
    case ExprKind::Binary: {
        const bool bitwise = isBitwiseOp(e);
        if (bitwise || isEqualityOp(e)) {
            // a 0/1 value next to a boolean is a boolean too
            if (isPrimitive(e.args[0]->type, 'Z')) makeBoolean(*e.args[1]);
            if (isPrimitive(e.args[1]->type, 'Z')) makeBoolean(*e.args[0]);
        }
        if (bitwise && isPrimitive(e.args[0]->type, 'Z') && isPrimitive(e.args[1]->type, 'Z')) e.type = primitive('Z');
        break;
    }
    case ExprKind::Assign: case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
        assignType(e.type, e.args[0]->type);
        break;
    case ExprKind::ArrayElement:
        if (e.args[0]->type.isArray()) e.type = e.args[0]->type.elementType();
        break;
    case ExprKind::Conditional: {
        const Expr& a = *e.args[1];
        const Expr& b = *e.args[2];
        if (isPrimitive(a.type, 'Z') || isPrimitive(b.type, 'Z')) {
            if ((isPrimitive(a.type, 'Z') || isIntLiteral(a)) && (isPrimitive(b.type, 'Z') || isIntLiteral(b))) e.type = primitive('Z');
        } else if (a.kind == ExprKind::Null) {
            assignType(e.type, b.type);
        } else if (isIntLike(a.type) && isIntLike(b.type)) {
            assignType(e.type, conditionalIntType(a, b));
        } else if (b.kind == ExprKind::Null || !a.type.isReference() || sameType(a.type, b.type)) {
            assignType(e.type, a.type);
        } else {
            e.type = objectType("java/lang/Object");
        }
        break;
    }
    default: break;
    }
}

namespace {

// What one expression says of the types of the locals being decided.
void noteEvidence(std::map<Var*, Evidence>& evidence, Expr& e, const Want& want) {
    if (e.kind == ExprKind::Local && asksType(want)) {
        auto it = evidence.find(e.var.get());
        if (it != evidence.end()) it->second.ref.asked.push_back(*want.type);
    }
    if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::ArrayElement) {
        int depth = 0;
        const Expr* root = elementRoot(*e.args[0], depth);
        auto it = root ? evidence.find(root->var.get()) : evidence.end();
        if (it != evidence.end()) noteStore(it->second.ref, depth, *e.args[1]);
    } else if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Local) {
        auto it = evidence.find(e.args[0]->var.get());
        if (it == evidence.end()) return;
        const Expr& value = *e.args[1];
        if (it->first->type.isReference()) {
            noteRefValue(it->second.ref, value);
        } else if (isIntLike(it->first->type)) {
            noteIntValue(it->second, value);
        }
    } else if ((e.kind == ExprKind::CompoundAssign || e.kind == ExprKind::PostIncrement ||
                e.kind == ExprKind::PreIncrement) && e.args[0]->kind == ExprKind::Local) {
        auto it = evidence.find(e.args[0]->var.get());
        if (it != evidence.end()) noteStep(it->second, e);
    } else if ((e.kind == ExprKind::InstanceOf || (e.kind == ExprKind::Cast && e.type.isReference())) &&
               e.args[0]->kind == ExprKind::Local) {
        // the source tested or cast it, so its declared type was wider
        auto it = evidence.find(e.args[0]->var.get());
        if (it != evidence.end() && !sameType(e.type, it->first->type)) it->second.ref.tested = true;
    } else if ((e.kind == ExprKind::ArrayLength || e.kind == ExprKind::ArrayElement) && e.args[0]->kind == ExprKind::Local) {
        auto it = evidence.find(e.args[0]->var.get());
        if (it != evidence.end()) it->second.ref.array = true;
    } else if (e.kind == ExprKind::Local && want.type && isPrimitive(*want.type, 'Z')) {
        auto it = evidence.find(e.var.get());
        if (it != evidence.end()) it->second.wantsBool = true;
    }
}

}  // namespace

void inferTypes(StmtList& body, const std::vector<VarPtr>& vars, const MethodTypes& method, Budget& budget) {
    for (int round = 0; round < 12; ++round) {
        retypeAll(body);
        bool changed = false;
        std::map<Var*, Evidence> evidence;
        for (const VarPtr& v : vars) {
            if (!v->declaredType && v->kind != VarKind::This && v->kind != VarKind::Parameter &&
                (isIntLike(v->type) || v->type.isReference())) evidence[v.get()];
        }
        if (evidence.empty()) return;
        // the evidence asks only whether a context states a type, not how exactly
        ContextWalker walker(method, false, [&](ExprPtr& slot, const Want& want) {
            budget.spend();
            noteEvidence(evidence, *slot, want);
        });
        walker.walk(body);
        for (auto& [var, ev] : evidence) {
            RefDecision d{decideIntLike(ev), true};
            if (var->type.isReference()) d = decideReference(var->type, ev.ref);
            changed = changed || !sameType(d.type, var->type) || d.exact != var->exact;
            var->type = d.type;
            var->exact = d.exact;
        }
        // No variable changed: the types computed at the start of this round
        // still hold (the walk only gathers evidence).
        if (!changed) return;
    }
    retypeAll(body);
}

namespace {

ExprPtr booleanLiteral(bool value) {
    auto e = makeIntLiteral(value ? 1 : 0);
    e->type = primitive('Z');
    return e;
}

// c ? 1 : 2 has type int, and so has c ? (d ? 1 : 2) : (short) x: one
// branch cast to the narrow type makes each conditional that type.
void narrowConditional(Expr& e, const JavaType& need) {
    for (size_t i = 1; i <= 2; ++i) {
        if (e.args[i]->kind == ExprKind::Conditional) narrowConditional(*e.args[i], need);
    }
    auto bareInt = [](const Expr& x) { return isIntLiteral(x) && x.type.base == 'I'; };
    if (bareInt(*e.args[1]) && bareInt(*e.args[2])) {
        e.args[1] = makeCast(need, e.args[1]);
        e.type = need;
    }
}

void coerceSlot(ExprPtr& slot, Want want) {
    if (!want.type) return;
    const bool exactArgument = want.context == Context::ExactInvocation;
    if (exactArgument) want.context = Context::Invocation;
    Expr& e = *slot;
    const JavaType& need = *want.type;
    if (need.dimensions == 0 && need.base != 'L') {
        if (e.kind == ExprKind::Conditional) {
            // branches are coerced on their own, but two int constants make an int
            if (need.base == 'B' || need.base == 'S') narrowConditional(e, need);
            return;
        }
        const char have = e.type.dimensions == 0 ? e.type.base : 'L';
        switch (need.base) {
        case 'Z':
            if (isIntLiteral(e)) slot = booleanLiteral(e.literal.integer != 0);
            else if (have != 'Z' && isIntLike(e.type)) slot = makeBinary("!=", slot, makeIntLiteral(0), primitive('Z'));
            return;
        case 'C':
            if (isIntLiteral(e) && e.literal.integer >= 0 && e.literal.integer <= 0xffff) e.type = primitive('C');
            else if (have != 'C' && isIntLike(e.type)) slot = makeCast(need, slot);
            return;
        case 'B': case 'S':
            if (isIntLiteral(e) && want.context != Context::Invocation) return;
            if (have == need.base || (need.base == 'S' && have == 'B')) return;
            if (isIntLike(e.type) || isIntLiteral(e)) slot = makeCast(need, slot);
            return;
        case 'I':
            if (have == 'Z') {
                auto c = makeExpr(ExprKind::Conditional, primitive('I'));
                c->args = {slot, makeIntLiteral(1), makeIntLiteral(0)};
                slot = c;
            } else if (want.context == Context::Invocation && have != 'I' && isIntLike(e.type) && !isIntLiteral(e)) {
                slot = makeCast(need, slot);
            }
            return;
        default:
            if (want.context == Context::Invocation && have != need.base && !e.type.isReference() && e.kind != ExprKind::Literal) {
                slot = makeCast(need, slot);
            }
            return;
        }
    }
    if (e.kind == ExprKind::Null) {
        if (want.context == Context::Invocation || want.context == Context::Receiver) slot = makeCast(need, slot);
        return;
    }
    if (!e.type.isReference() || sameType(e.type, need)) return;
    if (isObject(need) && want.context != Context::Receiver && !exactArgument) return;
    if (exactExpr(e) && !exactArgument) return;
    slot = makeCast(need, slot);
}

// b == 0 -> !b and friends, once booleans are known.
void simplifyBooleans(ExprPtr& slot) {
    Expr& e = *slot;
    if (e.kind == ExprKind::Binary && isEqualityOp(e)) {
        for (int side = 0; side < 2; ++side) {
            const Expr& value = *e.args[static_cast<size_t>(side)];
            const Expr& other = *e.args[static_cast<size_t>(1 - side)];
            if (isPrimitive(value.type, 'Z') && isIntLiteral(other) && (other.literal.integer == 0 || other.literal.integer == 1)) {
                const bool keep = opIs(e, "!=") == (other.literal.integer == 0);
                ExprPtr v = e.args[static_cast<size_t>(side)];
                slot = keep ? v : negate(v);
                return;
            }
            if (isPrimitive(value.type, 'C') && isIntLiteral(other) && other.literal.integer >= 0 && other.literal.integer <= 0xffff) {
                e.args[static_cast<size_t>(1 - side)]->type = primitive('C');
            }
        }
    }
    if (e.kind == ExprKind::Binary && isPrimitive(e.args[0]->type, 'C')) {
        Expr& other = *e.args[1];
        if ((opIs(e, "<") || opIs(e, ">") || opIs(e, "<=") || opIs(e, ">=")) && isIntLiteral(other) && other.literal.integer >= 0 &&
            other.literal.integer <= 0xffff) other.type = primitive('C');
    }
    if (e.kind == ExprKind::Conditional && isPrimitive(e.type, 'Z')) {
        const Expr& a = *e.args[1];
        const Expr& b = *e.args[2];
        if (a.kind == ExprKind::Literal && b.kind == ExprKind::Literal && a.literal.integer != b.literal.integer) {
            slot = a.literal.integer ? e.args[0] : negate(e.args[0]);
        }
    }
}

// An indexed value whose type is not known to be an array: aaload and the
// like name the element kind, so a cast restores the array; a length alone
// does not tell which array it was.
void arrayOperand(ExprPtr& slot) {
    Expr& e = *slot;
    if (e.kind != ExprKind::ArrayElement && e.kind != ExprKind::ArrayLength) return;
    ExprPtr& array = e.args[0];
    if (array->type.isArray()) return;
    const bool knownElement = e.kind == ExprKind::ArrayElement && (e.type.isReference() || (e.type.base != 'B' && e.type.base != 'Z'));
    if (!knownElement) throw Unsupported{"array of unknown type"};
    JavaType type = e.type.isReference() ? objectType("java/lang/Object") : e.type;
    type.dimensions += 1;
    array = makeCast(type, array);
}

// A cast to a class the method's class cannot name (a parameter typed by a
// class private to its package): the source passed the value as it is.
bool castNameable(const Expr& cast, const MethodTypes& method) {
    if (cast.kind != ExprKind::Cast || cast.type.base != 'L' || !method.hierarchy || !method.owner) return true;
    return nameableFrom(*method.hierarchy, cast.type.className, *method.owner);
}

// A class whose objects Java unboxes in a conditional: two different ones
// make the conditional numeric (or boolean) and convert the chosen value.
bool unboxableClass(const JavaType& t) {
    if (t.dimensions != 0 || t.base != 'L') return false;
    static const char* const boxes[] = {"java/lang/Byte", "java/lang/Short", "java/lang/Character", "java/lang/Integer",
                                        "java/lang/Long", "java/lang/Float", "java/lang/Double", "java/lang/Boolean"};
    for (const char* box : boxes) {
        if (t.className == box) return true;
    }
    return false;
}

// A call or field read of a type a box's value can hide behind in the
// bytecode: the source may give it a box type by inference.
bool mayReadAsBox(const Expr& e) {
    if (e.kind != ExprKind::Invoke && e.kind != ExprKind::Field) return false;
    if (e.type.dimensions != 0 || e.type.base != 'L') return false;
    const std::string& c = e.type.className;
    return c == "java/lang/Object" || c == "java/lang/Number" || c == "java/lang/Comparable" || c == "java/io/Serializable";
}

// `c ? Long.valueOf(x) : Character.valueOf('c')` selects one of two objects in
// the bytecode, but in the source it unboxes both and promotes them (to long
// here), and a null throws. One branch cast to Object keeps the selection.
void keepReferenceConditional(ExprPtr& slot) {
    Expr& e = *slot;
    if (e.kind != ExprKind::Conditional || !e.type.isReference()) return;
    for (size_t i = 1; i <= 2; ++i) {
        Expr& arm = *e.args[i];
        const Expr& other = *e.args[3 - i];
        if (!unboxableClass(arm.type) || sameType(arm.type, other.type)) continue;
        if (!unboxableClass(other.type) && !mayReadAsBox(other)) continue;
        e.args[i] = makeCast(objectType("java/lang/Object"), e.args[i]);
        e.type = objectType("java/lang/Object");
        return;
    }
}

}  // namespace

// flag ^ i with i an int that only holds 0 or 1: Java has no such operator,
// so the boolean becomes (flag ? 1 : 0).
void mixedBitwise(ExprPtr& slot) {
    Expr& e = *slot;
    if (e.kind != ExprKind::Binary || !isBitwiseOp(e)) return;
    const bool z0 = isPrimitive(e.args[0]->type, 'Z'), z1 = isPrimitive(e.args[1]->type, 'Z');
    if (z0 == z1) return;
    ExprPtr& flag = e.args[z0 ? 0 : 1];
    const Expr& other = *e.args[z0 ? 1 : 0];
    if (!isIntLike(other.type) || isPrimitive(other.type, 'Z')) return;
    auto c = makeExpr(ExprKind::Conditional, primitive('I'));
    c->args = {flag, makeIntLiteral(1), makeIntLiteral(0)};
    flag = c;
    e.type = primitive('I');
}

void coerceTypes(StmtList& body, const MethodTypes& method, Budget& budget) {
    retypeAll(body);
    ContextWalker walker(method, true, [&](ExprPtr& slot, const Want& want) {
        budget.spend();
        ExprPtr before = slot;
        coerceSlot(slot, want);
        if (slot != before && !castNameable(*slot, method)) slot = before;
    });
    walker.walk(body);
    visitAllExprs(body, [](ExprPtr& slot) { arrayOperand(slot); });
    visitAllExprs(body, [](ExprPtr& slot) { mixedBitwise(slot); });
    visitAllExprs(body, [](ExprPtr& slot) { keepReferenceConditional(slot); });
    retypeAll(body);
    visitAllExprs(body, [](ExprPtr& slot) { simplifyBooleans(slot); });
}

}  // namespace jad::body
