#include "body/synthetic/Idioms.h"

#include <string_view>

#include "body/ir/Walk.h"
#include "body/structure/Inline.h"

namespace jad::body {

namespace {

bool isBuilder(const std::string& owner) {
    return owner == "java/lang/StringBuilder" || owner == "java/lang/StringBuffer";
}

bool isString(const Expr& e) { return e.type.dimensions == 0 && e.type.base == 'L' && e.type.className == "java/lang/String"; }

// new StringBuilder(...).append(a).append(b).toString()  ->  ... + a + b
ExprPtr concatenation(const Expr& toString) {
    // asked of every node: a string_view comparison looks at the length first
    if (toString.kind != ExprKind::Invoke || std::string_view(toString.name) != "toString" ||
        toString.descriptor != "()Ljava/lang/String;" ||
        !isBuilder(toString.owner)) return nullptr;
    std::vector<ExprPtr> pieces;
    std::vector<std::string> types;
    const Expr* e = toString.args[0].get();
    for (int guard = 0; guard < 100000; ++guard) {
        if (e->kind == ExprKind::Invoke && e->name == "append" && isBuilder(e->owner) && e->args.size() == 2) {
            if (e->descriptor.rfind("([C", 0) == 0 || e->descriptor.rfind("(Ljava/lang/CharSequence;II", 0) == 0) return nullptr;
            pieces.insert(pieces.begin(), e->args[1]);
            types.insert(types.begin(), e->descriptor.substr(1, e->descriptor.find(')') - 1));
            e = e->args[0].get();
            continue;
        }
        break;
    }
    if (e->kind != ExprKind::New || !isBuilder(e->owner)) return nullptr;
    if (e->descriptor == "(Ljava/lang/String;)V" || e->descriptor == "(Ljava/lang/CharSequence;)V") {
        pieces.insert(pieces.begin(), e->args[0]);
        types.insert(types.begin(), e->descriptor.substr(1, e->descriptor.find(')') - 1));
    } else if (e->descriptor != "()V") {
        return nullptr;
    }
    if (pieces.empty()) return nullptr;
    // `char[]` pieces would print as arrays, not as text
    for (const ExprPtr& p : pieces) {
        if (p->type.isArray()) return nullptr;
    }
    // String.valueOf(x) as the first piece is how older javac started a chain
    auto e2 = makeExpr(ExprKind::Concat, objectType("java/lang/String"));
    e2->args = pieces;
    e2->descriptor = "(";
    for (const std::string& t : types) e2->descriptor += t;
    e2->descriptor += ")V";
    const Expr& first = *pieces[0];
    if (first.kind == ExprKind::Invoke && first.name == "valueOf" && first.owner == "java/lang/String" &&
        first.isStatic && first.args.size() == 1 && first.descriptor == "(Ljava/lang/Object;)Ljava/lang/String;" &&
        isString(*first.args[0])) {
        e2->args[0] = first.args[0];
    }
    // a char[] appended as CharSequence or Object would print its text otherwise
    if (e2->descriptor.find("[C") != std::string::npos) return nullptr;
    return e2;
}

// X = X op v  ->  X op= v;  X = X + 1  ->  X++ (as a statement)
void compoundAssignment(StmtPtr& s) {
    if (s->kind != StmtKind::Expr || s->expr->kind != ExprKind::Assign) return;
    Expr& assign = *s->expr;
    const ExprPtr target = assign.args[0];
    if (!isSimpleLvalue(*target) && !(target->kind == ExprKind::Local)) return;
    const Expr* value = assign.args[1].get();
    if (value->kind == ExprKind::Cast && sameType(value->type, target->type) && isIntLike(target->type)) {
        value = value->args[0].get();
    }
    if (value->kind == ExprKind::Concat && isString(*target) && value->args.size() >= 2 &&
        samePure(*value->args[0], *target)) {
        auto types = methodTypeOf(value->descriptor);
        if (!types || types->parameters.size() != value->args.size()) return;
        auto rest = makeExpr(ExprKind::Concat, value->type);
        rest->args.assign(value->args.begin() + 1, value->args.end());
        if (rest->args.size() > 1 && !isString(*rest->args[0]) && !isString(*rest->args[1])) return;
        rest->descriptor = "(";
        for (size_t i = 1; i < types->parameters.size(); ++i) rest->descriptor += types->parameters[i].descriptor();
        rest->descriptor += ")V";
        auto e = makeExpr(ExprKind::CompoundAssign, target->type);
        e->op = "+";
        const bool plain = rest->args.size() == 1 && sameType(rest->args[0]->type, types->parameters[1]);
        e->args = {target, plain ? rest->args[0] : ExprPtr(rest)};
        s->expr = e;
        return;
    }
    if (value->kind != ExprKind::Binary || !samePure(*value->args[0], *target)) return;
    static const char* const ops[] = {"+", "-", "*", "/", "%", "<<", ">>", ">>>", "&", "|", "^"};
    bool arithmetic = false;
    for (const char* op : ops) arithmetic = arithmetic || value->op == op;
    if (!arithmetic) return;
    const Expr& amount = *value->args[1];
    if ((value->op == "+" || value->op == "-") && amount.kind == ExprKind::Literal &&
        ((amount.literal.tag == 'I' || amount.literal.tag == 'J') ? amount.literal.integer == 1 : amount.literal.real == 1.0) &&
        target->type.base != 'Z') {
        auto e = makeExpr(ExprKind::PostIncrement, target->type);
        e->op = value->op + value->op;
        e->args = {target};
        s->expr = e;
        return;
    }
    auto e = makeExpr(ExprKind::CompoundAssign, target->type);
    e->op = value->op;
    e->args = {target, value->args[1]};
    s->expr = e;
}

}  // namespace

void recoverIdioms(StmtList& body) {
    visitAllExprs(body, [](ExprPtr& slot) {
        if (ExprPtr concat = concatenation(*slot)) slot = concat;
    });
    visitLists(body, [](StmtList& list) {
        for (StmtPtr& s : list) compoundAssignment(s);
    });
}

void dropImplicitSuperCall(StmtList& body, const std::string& superClass) {
    if (body.empty() || body[0]->kind != StmtKind::Expr) return;
    const Expr& call = *body[0]->expr;
    if (call.kind == ExprKind::Invoke && call.name == "<init>" && call.args.size() == 1 && call.owner == superClass &&
        call.args[0]->kind == ExprKind::This) {
        body.erase(body.begin());
    }
}

}  // namespace jad::body
