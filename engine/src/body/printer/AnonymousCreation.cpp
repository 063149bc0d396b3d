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

std::optional<std::string> anonymousCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p) {
    if (!c.unit) return std::nullopt;
    AnonymousSite site{e.descriptor, {}, c.types, c.options};
    for (const ExprPtr& arg : e.args) site.arguments.push_back(siteArgument(*arg, c));
    std::optional<AnonymousClass> cls = c.unit->anonymousClass(e.owner, site);
    if (!cls) return std::nullopt;
    if (!cls->failure.empty()) throw Unsupported{cls->failure};
    std::string text = "new " + (cls->superTypeText.empty() ? c.types.className(cls->superType) : cls->superTypeText) + "(";
    for (size_t i = 0; i < cls->superArguments.size(); ++i) {
        if (cls->superArguments[i] >= e.args.size()) throw Unsupported{"anonymous class argument out of range"};
        if (i) text += ", ";
        text += p.print(*e.args[cls->superArguments[i]], 1);
    }
    text += ") {";
    for (const std::string& line : cls->members) text += "\n" + line;
    return text + "\n}";
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
