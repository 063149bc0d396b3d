#include "body/pipeline/TopStatements.h"

#include <algorithm>

#include "body/ir/Walk.h"
#include "classfile/AccessFlags.h"
#include "print/Literals.h"

namespace jad::body {

namespace {

using Lines = std::vector<std::string>::const_iterator;

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

// The stored value's lines, from where the printer says it starts, without
// the closing semicolon.
std::vector<std::string> storedValue(Lines first, Lines last, const PrintedStatement& where) {
    const size_t skip = where.valueLine - where.firstLine;
    if (where.valueColumn == PrintedStatement{}.valueColumn || where.valueLine < where.firstLine ||
        skip >= static_cast<size_t>(last - first)) {
        return {};
    }
    std::vector<std::string> lines(first + static_cast<long>(skip), last);
    if (lines.front().size() < where.valueColumn || lines.back().empty() || lines.back().back() != ';') return {};
    lines.front().erase(0, where.valueColumn);
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

// Reads or writes an instance field of `owner` through `this`; a lambda that
// captures `this` counts: its body may.
bool usesOwnFields(const Stmt& s, const std::string& owner) {
    return anyExpr(s, [&](const Expr& e) {
        if (e.kind == ExprKind::Field && !e.isStatic && e.owner == owner && !e.args.empty() &&
            e.args[0]->kind == ExprKind::This) {
            return true;
        }
        return e.kind == ExprKind::Lambda && std::any_of(e.args.begin(), e.args.end(), [](const ExprPtr& captured) {
                   return captured->kind == ExprKind::This;
               });
    });
}

// The parameters `s` names anywhere, each once, in order.
std::vector<size_t> parametersNamed(const Stmt& s, const MethodState& state) {
    std::vector<bool> named(state.locals.params.size());
    anyExpr(s, [&](const Expr& e) {
        const size_t index = parameterRead(e, state);
        if (index != TopStatement::npos) named[index] = true;
        return false;
    });
    std::vector<size_t> out;
    for (size_t i = 0; i < named.size(); ++i) {
        if (named[i]) out.push_back(i);
    }
    return out;
}

TopStatement describe(const Stmt& s, const MethodState& state, Lines first, Lines last, const PrintedStatement& where) {
    TopStatement top;
    const std::string& owner = state.request.owner.thisClass;
    if (s.kind == StmtKind::Throw) {
        top.kind = TopStatement::Kind::Throw;
    } else if (isOwnStaticStore(s, owner)) {
        const Expr& target = *s.expr->args[0];
        top.kind = TopStatement::Kind::StaticStore;
        top.field = target.name;
        top.descriptor = target.descriptor;
        if (state.request.method.name == "<clinit>") {
            top.value = storedValue(first, last, where);
        }
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
    if (state.constructor()) {
        top.usesOwnFields = usesOwnFields(s, owner);
        top.parameters = parametersNamed(s, state);
    }
    return top;
}

}  // namespace

bool describesEnumCreations(const MethodState& state) {
    return state.modern() && state.request.method.name == "<clinit>" && (state.request.owner.access & access::Enum);
}

std::vector<TopStatement> describeTopStatements(const MethodState& state, const std::vector<std::string>& lines,
                                                const std::vector<PrintedStatement>& layout) {
    std::vector<TopStatement> out;
    out.reserve(state.body.size());
    for (size_t i = 0; i < state.body.size() && i < layout.size(); ++i) {
        const size_t end = i + 1 < layout.size() ? layout[i + 1].firstLine : lines.size();
        out.push_back(describe(*state.body[i], state, lines.begin() + static_cast<long>(layout[i].firstLine),
                               lines.begin() + static_cast<long>(end), layout[i]));
        out.back().firstLine = layout[i].firstLine;
    }
    return out;
}

}  // namespace jad::body
