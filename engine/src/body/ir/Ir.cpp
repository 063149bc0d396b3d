#include "body/ir/Ir.h"

namespace jad::body {

namespace {

template <typename Type> ExprPtr newExpr(ExprKind kind, Type&& type) {
    auto e = std::make_shared<Expr>();
    e->kind = kind;
    e->type = std::forward<Type>(type);
    return e;
}

}  // namespace

ExprPtr makeExpr(ExprKind kind, const JavaType& type) { return newExpr(kind, type); }
ExprPtr makeExpr(ExprKind kind, JavaType&& type) { return newExpr(kind, std::move(type)); }

ExprPtr makeLocal(const VarPtr& var) {
    auto e = makeExpr(var->kind == VarKind::This ? ExprKind::This : ExprKind::Local, var->type);
    e->var = var;
    return e;
}

ExprPtr makeIntLiteral(int64_t value, char base) {
    auto e = makeExpr(ExprKind::Literal, primitive(base));
    e->literal.tag = base == 'J' ? 'J' : 'I';
    e->literal.integer = value;
    return e;
}

ExprPtr makeBinary(const std::string& op, ExprPtr left, ExprPtr right, JavaType type) {
    auto e = makeExpr(ExprKind::Binary, std::move(type));
    e->op = op;
    e->args.reserve(2);
    e->args.push_back(std::move(left));
    e->args.push_back(std::move(right));
    return e;
}

ExprPtr makeUnary(const std::string& op, ExprPtr operand, JavaType type) {
    auto e = makeExpr(ExprKind::Unary, std::move(type));
    e->op = op;
    e->args.push_back(std::move(operand));
    return e;
}

ExprPtr makeCast(JavaType type, ExprPtr operand) {
    auto e = makeExpr(ExprKind::Cast, std::move(type));
    e->args.push_back(std::move(operand));
    return e;
}

StmtPtr makeStmt(StmtKind kind, ExprPtr expr) {
    auto s = std::make_shared<Stmt>();
    s->kind = kind;
    s->expr = std::move(expr);
    return s;
}

JavaType primitive(char base) {
    JavaType t;
    t.base = base;
    return t;
}

ExprPtr makeEnumConstant(const std::string& enumClass, const std::string& name) {
    auto constant = makeExpr(ExprKind::Field, objectType(enumClass));
    constant->isStatic = true;
    constant->owner = enumClass;
    constant->name = name;
    constant->descriptor = "L" + enumClass + ";";
    return constant;
}

JavaType objectType(const std::string& internalName) {
    return typeOfClassName(internalName);
}

const JavaType& javaLangObject() {
    static const JavaType type = objectType("java/lang/Object");
    return type;
}

const JavaType& javaLangString() {
    static const JavaType type = objectType("java/lang/String");
    return type;
}

JavaType booleanType() { return primitive('Z'); }

bool isIntLike(const JavaType& type) {
    if (type.dimensions != 0) return false;
    switch (type.base) {
    case 'Z': case 'B': case 'C': case 'S': case 'I': return true;
    default: return false;
    }
}

bool sameType(const JavaType& a, const JavaType& b) {
    return a.base == b.base && a.dimensions == b.dimensions && a.className == b.className;
}

bool isBoolean(const Expr& e) { return e.type.base == 'Z' && e.type.dimensions == 0; }

bool samePure(const Expr& a, const Expr& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case ExprKind::This:
    case ExprKind::Local: return a.var == b.var;
    case ExprKind::Null: return true;
    case ExprKind::Literal:
        return a.literal.tag == b.literal.tag && a.literal.integer == b.literal.integer &&
               a.literal.text == b.literal.text && a.type.base == b.type.base &&
               (a.literal.real == b.literal.real || (a.literal.real != a.literal.real && b.literal.real != b.literal.real));
    case ExprKind::Field:
        if (a.owner != b.owner || a.name != b.name || a.isStatic != b.isStatic) return false;
        return a.isStatic || samePure(*a.args[0], *b.args[0]);
    case ExprKind::ArrayElement:
        return samePure(*a.args[0], *b.args[0]) && samePure(*a.args[1], *b.args[1]);
    default: return false;
    }
}

bool isTrivial(const Expr& e) {
    return e.kind == ExprKind::Local || e.kind == ExprKind::This || e.kind == ExprKind::Literal ||
           e.kind == ExprKind::Null;
}

bool isOuterInstanceChain(const Expr& e) {
    if (e.kind == ExprKind::This) return true;
    return e.kind == ExprKind::Field && !e.isStatic && e.args.size() == 1 && e.name.rfind("this$", 0) == 0 &&
           e.type.base == 'L' && !e.type.isArray() && isOuterInstanceChain(*e.args[0]);
}

bool isPure(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal: case ExprKind::Null: case ExprKind::This: case ExprKind::Local:
    case ExprKind::ClassLiteral: case ExprKind::Field: case ExprKind::ArrayElement:
    case ExprKind::ArrayLength: case ExprKind::Unary: case ExprKind::Binary: case ExprKind::Compare:
    case ExprKind::Cast: case ExprKind::InstanceOf: case ExprKind::Conditional: case ExprKind::Concat:
    case ExprKind::Caught:
        break;
    default: return false;
    }
    for (const ExprPtr& child : e.args) {
        if (!isPure(*child)) return false;
    }
    return true;
}

bool cannotThrow(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal: case ExprKind::Null: case ExprKind::This: case ExprKind::Local:
    case ExprKind::Unary: case ExprKind::Compare: case ExprKind::InstanceOf: case ExprKind::Conditional:
    case ExprKind::Caught:
        break;
    case ExprKind::Field:  // only an instance field of `this`, which is never null
        if (e.isStatic || e.args.size() != 1 || e.args[0]->kind != ExprKind::This) return false;
        break;
    case ExprKind::Binary:
        if ((e.op == "/" || e.op == "%") && !e.type.isReference() && e.type.base != 'F' && e.type.base != 'D') return false;
        break;
    case ExprKind::Cast:
        if (e.type.isReference()) return false;
        break;
    default: return false;
    }
    for (const ExprPtr& child : e.args) {
        if (!cannotThrow(*child)) return false;
    }
    return true;
}

bool readsVar(const Expr& e, const Var& var) {
    if (e.kind == ExprKind::Local && e.var.get() == &var) return true;
    for (const ExprPtr& child : e.args) {
        if (readsVar(*child, var)) return true;
    }
    return false;
}

namespace {

const char* flipped(const std::string& op) {
    if (op == "==") return "!=";
    if (op == "!=") return "==";
    if (op == "<") return ">=";
    if (op == ">=") return "<";
    if (op == ">") return "<=";
    if (op == "<=") return ">";
    return nullptr;
}

bool isFloating(const Expr& e) {
    return e.type.dimensions == 0 && (e.type.base == 'F' || e.type.base == 'D');
}

}  // namespace

ExprPtr negate(const ExprPtr& c) {
    if (c->kind == ExprKind::Unary && c->op == "!") return c->args[0];
    if (c->kind == ExprKind::Literal && isBoolean(*c)) {
        auto e = makeIntLiteral(c->literal.integer ? 0 : 1);
        e->type = booleanType();
        return e;
    }
    if (c->kind == ExprKind::Binary) {
        const char* inverse = flipped(c->op);
        // A floating comparison is false on NaN either way round, so only
        // `!` keeps its meaning.
        if (inverse && (!isFloating(*c->args[0]) || c->op == "==" || c->op == "!=")) {
            return makeBinary(inverse, c->args[0], c->args[1], booleanType());
        }
        if (c->op == "&&" || c->op == "||") {
            return makeBinary(c->op == "&&" ? "||" : "&&", negate(c->args[0]), negate(c->args[1]), booleanType());
        }
    }
    return makeUnary("!", c, booleanType());
}

}  // namespace jad::body
