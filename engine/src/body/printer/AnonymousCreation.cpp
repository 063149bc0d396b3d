#include "body/printer/AnonymousCreation.h"

#include "body/ir/Failure.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

AnonymousArgument siteArgument(const Expr& e, const PrintContext& c) {
    AnonymousArgument argument;
    switch (e.kind) {
    case ExprKind::This: argument.kind = AnonymousArgument::Kind::This; break;
    case ExprKind::Null: argument.kind = AnonymousArgument::Kind::Null; break;
    case ExprKind::Local:
        argument.kind = AnonymousArgument::Kind::Local;
        if (!c.notFinal.count(e.var.get())) argument.name = e.var->name;
        argument.generic = e.var->generic;
        break;
    default: break;
    }
    return argument;
}

}  // namespace

std::optional<std::string> anonymousCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p,
                                             std::string* constantTail) {
    if (!c.unit) return std::nullopt;
    AnonymousSite site{e.descriptor, {}, c.types, c.options};
    for (const ExprPtr& arg : e.args) site.arguments.push_back(siteArgument(*arg, c));
    std::optional<AnonymousClass> cls = c.unit->anonymousClass(e.owner, site);
    if (!cls) return std::nullopt;
    if (!cls->failure.empty()) throw Unsupported{cls->failure};
    const std::vector<size_t>& passed = cls->superArguments;
    std::vector<std::string> arguments;
    for (size_t index : passed) {
        if (index >= e.args.size()) throw Unsupported{"anonymous class argument out of range"};
        arguments.push_back(p.print(*e.args[index], 1));
    }
    const auto list = [&](size_t from) {
        std::string text;
        for (size_t i = from; i < arguments.size(); ++i) text += (i > from ? ", " : "") + arguments[i];
        return text;
    };
    std::string body = " {";
    for (const std::string& line : cls->members) body += "\n" + line;
    body += "\n}";
    const bool constant = constantTail && cls->superType == c.owner.thisClass && passed.size() >= 2 &&
                          passed[0] == 0 && passed[1] == 1;
    if (constant) *constantTail = (passed.size() > 2 ? "(" + list(2) + ")" : std::string()) + body;
    return "new " + (cls->superTypeText.empty() ? c.types.className(cls->superType) : cls->superTypeText) + "(" +
           list(0) + ")" + body;
}

std::optional<std::string> capturedFieldName(const Expr& value, const PrintContext& c, const ExprPrinter& p) {
    if (value.kind != ExprKind::Field || value.isStatic || value.args.size() != 1) return std::nullopt;
    if (value.args[0]->kind != ExprKind::This || value.owner != c.owner.thisClass) return std::nullopt;
    const Field* declared = nullptr;
    for (const Field& f : c.owner.fields) {
        if (f.name == value.name && f.descriptor == value.descriptor) declared = &f;
    }
    if (!declared || !(declared->access & access::Final) || (declared->access & access::Static)) return std::nullopt;
    // A local of that name would hide the field in the lambda's body.
    if (c.localNames.count(value.name) || (c.outerNames && c.outerNames->count(value.name))) return std::nullopt;
    if (p.print(value) != value.name) return std::nullopt;
    return value.name;
}

}  // namespace jad::body
