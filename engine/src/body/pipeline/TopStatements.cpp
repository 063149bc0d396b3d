#include "body/pipeline/TopStatements.h"

namespace jad::body {

namespace {

bool isOwnStaticStore(const Stmt& s, const std::string& owner) {
    if (s.kind != StmtKind::Expr || !s.declare.empty() || !s.expr || s.expr->kind != ExprKind::Assign) return false;
    const Expr& target = *s.expr->args[0];
    return target.kind == ExprKind::Field && target.isStatic && target.owner == owner;
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
    } else if (s.kind == StmtKind::Expr && s.declare.empty() && s.expr && s.expr->kind == ExprKind::Invoke &&
               s.expr->name == "<init>") {
        top.kind = s.expr->owner == owner ? TopStatement::Kind::ThisCall : TopStatement::Kind::SuperCall;
    }
    return top;
}

}  // namespace

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
