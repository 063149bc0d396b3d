#include "body/sugar/Asserts.h"

#include <optional>
#include <set>

#include "body/ir/Failure.h"
#include "body/ir/Walk.h"
#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

const char* const kFlag = "$assertionsDisabled";

class AssertFolder {
public:
    explicit AssertFolder(const ClassFile& owner) : _owner(owner), _printedName(assertionFlagName(owner)) {}

    void run(StmtList& body) {
        visitLists(body, [&](StmtList& list) {
            for (size_t i = 0; i < list.size(); ++i) {
                if (dropsFlagStore(*list[i])) {
                    list.erase(list.begin() + static_cast<long>(i--));
                    continue;
                }
                if (StmtPtr folded = fold(*list[i])) list[i] = folded;
            }
        });
        replaceOtherReads(body);
    }

    void setTaken(const std::set<std::string>* taken) { _taken = taken; }

private:
    // A read of the flag in another shape reads a local that an assert
    // sets: `boolean assertionsEnabled = false; assert assertionsEnabled = true;`
    // holds what the flag says, as the class's own asserts see it.
    void replaceOtherReads(StmtList& body) const {
        VarPtr enabled;
        visitAllExprs(body, [&](ExprPtr& e) {
            // children come first: `!flag` is `!!enabled` by now
            const bool negated = e->kind == ExprKind::Unary && e->op == "!" && enabled && readsEnabledOff(*e->args[0], *enabled);
            if (negated) {
                e = makeLocal(enabled);
                return;
            }
            if (!isFlag(*e)) return;
            if (!_taken) throw Unsupported{"the assertion flag read outside an assert"};
            if (!enabled) enabled = enabledLocal();
            e = makeUnary("!", makeLocal(enabled), booleanType());
        });
        if (!enabled) return;
        auto init = makeExpr(ExprKind::Assign, booleanType());
        init->args = {makeLocal(enabled), falseLiteral()};
        auto declaration = makeStmt(StmtKind::Expr, init);
        declaration->declare = {enabled};
        auto set = makeExpr(ExprKind::Assign, booleanType());
        auto on = makeIntLiteral(1);
        on->type = booleanType();
        set->args = {makeLocal(enabled), on};
        size_t at = 0;
        // after this(...) or super(...), which must come first
        if (!body.empty() && body[0]->kind == StmtKind::Expr && body[0]->expr->kind == ExprKind::Invoke &&
            body[0]->expr->name == "<init>") {
            at = 1;
        }
        body.insert(body.begin() + static_cast<long>(at), {declaration, makeStmt(StmtKind::Assert, set)});
    }

    static bool readsEnabledOff(const Expr& e, const Var& enabled) {
        return e.kind == ExprKind::Unary && e.op == "!" && e.args[0]->kind == ExprKind::Local &&
               e.args[0]->var.get() == &enabled;
    }

    VarPtr enabledLocal() const {
        auto v = std::make_shared<Var>();
        v->kind = VarKind::Local;
        v->type = booleanType();
        v->declaredType = true;
        std::string name = "assertionsEnabled";
        for (int n = 2; _taken && _taken->count(name); ++n) name = "assertionsEnabled" + std::to_string(n);
        v->name = name;
        return v;
    }

    // Names are matched both ways: the synthetic names pass may have given
    // the flag its printed name already.
    bool isFlag(const Expr& e) const {
        return e.kind == ExprKind::Field && e.isStatic && e.owner == _owner.thisClass && e.descriptor == "Z" &&
               (e.name == kFlag || e.name == _printedName);
    }

    bool isFlagTest(const Expr& e) const {
        return e.kind == ExprKind::Unary && e.op == "!" && isFlag(*e.args[0]);
    }

    // `$assertionsDisabled = !Top.class.desiredAssertionStatus();`, Top being
    // the top-level class, whose status javac reads for every class it holds.
    bool dropsFlagStore(const Stmt& s) const {
        if (s.kind != StmtKind::Expr || s.label || !s.declare.empty()) return false;
        const Expr& e = *s.expr;
        if (e.kind != ExprKind::Assign || !isFlag(*e.args[0])) return false;
        const Expr* call = negatedOperand(*e.args[1]);
        if (!call) return false;
        return readsTopLevelStatus(*call);
    }

    // `!x`, or `x ? false : true` as the bytecode may still have it.
    static const Expr* negatedOperand(const Expr& value) {
        if (value.kind == ExprKind::Unary && value.op == "!") return value.args[0].get();
        if (value.kind != ExprKind::Conditional || value.args.size() != 3) return nullptr;
        const Expr& no = *value.args[1];
        const Expr& yes = *value.args[2];
        const bool literals = no.kind == ExprKind::Literal && yes.kind == ExprKind::Literal;
        return literals && no.literal.integer == 0 && yes.literal.integer == 1 ? value.args[0].get() : nullptr;
    }

    bool readsTopLevelStatus(const Expr& call) const {
        if (call.kind != ExprKind::Invoke || call.isStatic || call.name != "desiredAssertionStatus" ||
            call.descriptor != "()Z" || call.owner != "java/lang/Class" || call.args.size() != 1) return false;
        const Expr& literal = *call.args[0];
        if (literal.kind != ExprKind::ClassLiteral) return false;
        const std::string& top = literal.owner;
        const std::string& self = _owner.thisClass;
        return self == top || (self.size() > top.size() && self.compare(0, top.size(), top) == 0 && self[top.size()] == '$');
    }

    // What remains of `!flag && rest` without the flag test: null when the
    // condition is the test alone; nothing when it is not of that shape.
    std::optional<ExprPtr> peelFlag(const ExprPtr& c) const {
        if (isFlagTest(*c)) return ExprPtr();
        if (c->kind != ExprKind::Binary || c->op != "&&") return std::nullopt;
        auto left = peelFlag(c->args[0]);
        if (!left) return std::nullopt;
        if (!*left) return c->args[1];
        return makeBinary("&&", *left, c->args[1], booleanType());
    }

    StmtPtr fold(const Stmt& s) const {
        if (s.kind != StmtKind::If || s.label || !s.elseBody.empty() || s.body.size() != 1) return nullptr;
        const Stmt& thrown = *s.body[0];
        if (thrown.kind != StmtKind::Throw || thrown.label || !thrown.declare.empty()) return nullptr;
        const Expr& error = *thrown.expr;
        if (error.kind != ExprKind::New || error.owner != "java/lang/AssertionError" || error.args.size() > 1) {
            return nullptr;
        }
        auto rest = peelFlag(s.expr);
        if (!rest) return nullptr;
        auto out = makeStmt(StmtKind::Assert, *rest ? negate(*rest) : falseLiteral());
        out->declare = s.declare;
        if (!error.args.empty()) out->body.push_back(makeStmt(StmtKind::Expr, detail(error)));
        return out;
    }

    static ExprPtr falseLiteral() {
        auto e = makeIntLiteral(0);
        e->type = booleanType();
        return e;
    }

    // The detail message as `assert` writes it: javac picks the constructor
    // by the message's type, so the printed message must have the type of
    // the parameter the bytecode calls.
    static ExprPtr detail(const Expr& error) {
        ExprPtr message = error.args[0];
        const auto type = methodTypeOf(error.descriptor);
        if (!type || type->parameters.size() != 1) throw Unsupported{"an AssertionError constructor of another type"};
        const JavaType& parameter = type->parameters[0];
        if (parameter.isReference()) {
            if (!message->type.isReference()) return makeCast(javaLangObject(), message);
            // Every reference picks AssertionError(Object): a cast that
            // chose it says nothing.
            if (message->kind == ExprKind::Cast && message->type.isReference() && message->args[0]->type.isReference()) {
                return message->args[0];
            }
            return message;
        }
        if (message->type.isReference() || message->type.base != parameter.base) return makeCast(parameter, message);
        return message;
    }

    const ClassFile& _owner;
    const std::string _printedName;
    const std::set<std::string>* _taken = nullptr;
};

}  // namespace

bool isDroppedAssertionFlag(const ClassFile& owner, const Field& field) {
    (void)owner;
    return isSynthetic(field) && isAssertionFlag(field) && (field.access & access::Final);
}

void foldAsserts(StmtList& body, const ClassFile& owner, const std::set<std::string>* taken) {
    for (const Field& f : owner.fields) {
        if (!isDroppedAssertionFlag(owner, f)) continue;
        AssertFolder folder(owner);
        folder.setTaken(taken);
        return folder.run(body);
    }
}

}  // namespace jad::body
