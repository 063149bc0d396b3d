#include "body/pipeline/TopStatements.h"

#include "classfile/AccessFlags.h"
#include "print/Literals.h"

namespace jad::body {

namespace {

bool isOwnStaticStore(const Stmt& s, const std::string& owner) {
    if (s.kind != StmtKind::Expr || !s.declare.empty() || !s.expr || s.expr->kind != ExprKind::Assign) return false;
    const Expr& target = *s.expr->args[0];
    return target.kind == ExprKind::Field && target.isStatic && target.owner == owner;
}

bool isOwnFieldStore(const Stmt& s, const std::string& owner) {
    if (s.kind != StmtKind::Expr || !s.declare.empty() || !s.expr || s.expr->kind != ExprKind::Assign) return false;
    const Expr& target = *s.expr->args[0];
    return target.kind == ExprKind::Field && !target.isStatic && target.op != "super" && target.owner == owner &&
           !target.args.empty() && target.args[0]->kind == ExprKind::This;
}

bool isConstructorCall(const Stmt& s) {
    return s.kind == StmtKind::Expr && s.declare.empty() && s.expr && s.expr->kind == ExprKind::Invoke &&
           s.expr->name == "<init>";
}

// The stored value's lines: the statement's, after the field's name and
// `=` (a name has no spaces), without the closing semicolon.
std::vector<std::string> storedValue(std::vector<std::string> lines) {
    const size_t assign = lines.empty() ? std::string::npos : lines.front().find(" = ");
    if (assign == std::string::npos || lines.back().empty() || lines.back().back() != ';') return {};
    lines.front().erase(0, assign + 3);
    lines.back().pop_back();
    return lines;
}

// Which parameter `e` reads, npos for anything else.
size_t parameterRead(const Expr& e, const MethodState& state) {
    if (e.kind != ExprKind::Local || !e.var) return TopStatement::npos;
    const std::vector<VarPtr>& params = state.locals.params;
    for (size_t i = 0; i < params.size(); ++i) {
        if (params[i] == e.var) return i;
    }
    return TopStatement::npos;
}

// The constant a static store of an enum's initializer creates, as javac
// creates them: its own name first.
std::optional<EnumCreation> enumCreation(const Expr& target, const Expr& value, const MethodState& state) {
    auto tail = state.enumConstantTails.find(&value);
    if (value.kind != ExprKind::New || tail == state.enumConstantTails.end()) return std::nullopt;
    if (value.args[0]->literal.text != decodeModifiedUtf8(target.name)) return std::nullopt;
    return EnumCreation{value.args[1]->literal.integer, tail->second};
}

bool usesOwnFields(const Expr& e, const std::string& owner);
bool usesOwnFields(const Stmt& s, const std::string& owner);

bool usesOwnFields(const StmtList& list, const std::string& owner) {
    for (const StmtPtr& s : list) {
        if (usesOwnFields(*s, owner)) return true;
    }
    return false;
}

bool usesOwnFields(const Stmt& s, const std::string& owner) {
    if (s.expr && usesOwnFields(*s.expr, owner)) return true;
    for (const StmtList* list : {&s.init, &s.body, &s.elseBody, &s.update, &s.finallyBody}) {
        if (usesOwnFields(*list, owner)) return true;
    }
    for (const SwitchArm& arm : s.arms) {
        if ((arm.guard && usesOwnFields(*arm.guard, owner)) || usesOwnFields(arm.body, owner)) return true;
    }
    for (const CatchClause& c : s.catches) {
        if (usesOwnFields(c.body, owner)) return true;
    }
    return false;
}

bool usesOwnFields(const Expr& e, const std::string& owner) {
    if (e.kind == ExprKind::Field && !e.isStatic && e.owner == owner && !e.args.empty() &&
        e.args[0]->kind == ExprKind::This) {
        return true;
    }
    if (e.kind == ExprKind::Lambda) {
        for (const ExprPtr& captured : e.args) {
            if (captured->kind == ExprKind::This) return true;
        }
    }
    if (e.block && usesOwnFields(*e.block, owner)) return true;
    for (const ExprPtr& child : e.args) {
        if (child && usesOwnFields(*child, owner)) return true;
    }
    return false;
}

using Lines = std::vector<std::string>::const_iterator;

TopStatement describe(const Stmt& s, const MethodState& state, Lines first, Lines last) {
    TopStatement top;
    const std::string& owner = state.request.owner.thisClass;
    if (s.kind == StmtKind::Throw) {
        top.kind = TopStatement::Kind::Throw;
    } else if (isOwnStaticStore(s, owner)) {
        const Expr& target = *s.expr->args[0];
        top.kind = TopStatement::Kind::StaticStore;
        top.field = target.name;
        top.descriptor = target.descriptor;
        if (state.request.method.name == "<clinit>") top.value = storedValue({first, last});
        top.enumCreation = enumCreation(target, *s.expr->args[1], state);
    } else if (isOwnFieldStore(s, owner)) {
        const Expr& target = *s.expr->args[0];
        top.kind = TopStatement::Kind::FieldStore;
        top.field = target.name;
        top.descriptor = target.descriptor;
        top.storedParameter = parameterRead(*s.expr->args[1], state);
    } else if (isConstructorCall(s)) {
        const Expr& call = *s.expr;
        top.kind = call.owner == owner ? TopStatement::Kind::ThisCall : TopStatement::Kind::SuperCall;
        top.arguments = call.args.empty() ? 0 : call.args.size() - 1;
        while (top.leadingParameters < top.arguments &&
               parameterRead(*call.args[top.leadingParameters + 1], state) == top.leadingParameters) {
            ++top.leadingParameters;
        }
    }
    if (state.constructor()) top.usesOwnFields = usesOwnFields(s, owner);
    return top;
}

}  // namespace

bool describesEnumCreations(const MethodState& state) {
    return state.modern() && state.request.method.name == "<clinit>" && (state.request.owner.access & access::Enum);
}

std::vector<TopStatement> describeTopStatements(const MethodState& state, const std::vector<std::string>& lines,
                                                const std::vector<size_t>& starts) {
    std::vector<TopStatement> out;
    out.reserve(state.body.size());
    for (size_t i = 0; i < state.body.size() && i < starts.size(); ++i) {
        const size_t end = i + 1 < starts.size() ? starts[i + 1] : lines.size();
        out.push_back(describe(*state.body[i], state, lines.begin() + static_cast<long>(starts[i]),
                               lines.begin() + static_cast<long>(end)));
        out.back().firstLine = starts[i];
    }
    return out;
}

}  // namespace jad::body
