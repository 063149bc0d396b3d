#include "body/printer/OuterNames.h"

#include <algorithm>

#include "body/ir/Failure.h"
#include "body/types/ClassLookup.h"
#include "body/types/Hierarchy.h"
#include "body/types/OuterInstances.h"

namespace jad::body {

namespace {

// The class of the enclosing instance `e` is, when it is one other than `this`.
std::string enclosingInstanceClass(const Expr& e, const PrintContext& c) {
    if (e.kind != ExprKind::Field) return std::string();
    const std::string cls = instanceClassOf(e);
    if (cls.empty() || cls == c.owner.thisClass) return std::string();
    const std::vector<std::string> chain = enclosingInstances(c.owner, c.unit);
    if (std::find(chain.begin(), chain.end(), cls) == chain.end()) return std::string();
    return cls;
}

// `C.this`; an anonymous class has no name to write it with.
std::string namedOuterThis(const std::string& cls, const PrintContext& c) {
    const ClassFile* file = classOf(cls, c.owner, c.unit);
    if (file && isAnonymousClassFile(*file)) throw Unsupported{"anonymous class refers to an enclosing anonymous instance"};
    return c.types.className(cls) + ".this";
}

}  // namespace

bool lambdaClassesLack(const std::string& name, bool isMethod, const PrintContext& c) {
    if (!c.thisName.empty() || c.lambdaInterfaces.empty()) return false;
    if (!isMethod && (c.localNames.count(name) || (c.outerNames && c.outerNames->count(name)))) return false;
    const Hierarchy hierarchy(c.owner, c.unit);
    return std::all_of(c.lambdaInterfaces.begin(), c.lambdaInterfaces.end(),
                       [&](const std::string& type) { return hierarchy.surelyLacks(type, name, isMethod); });
}

std::string outerThisText(const Expr& e, const PrintContext& c) {
    const std::string cls = enclosingInstanceClass(e, c);
    return cls.empty() ? std::string() : namedOuterThis(cls, c);
}

std::optional<std::string> outerMemberQualifier(const Expr& receiver, const std::string& name, bool isMethod,
                                                const PrintContext& c) {
    const std::string cls = enclosingInstanceClass(receiver, c);
    if (cls.empty()) return std::nullopt;
    const std::vector<std::string> chain = enclosingInstances(c.owner, c.unit);
    // A local of the method or one the class captures would hide the field.
    const bool hidden = c.localNames.count(name) || (c.outerNames && c.outerNames->count(name));
    bool reaches = (!c.inLambda || lambdaClassesLack(name, isMethod, c)) && (isMethod || !hidden);
    // The simple name looks through each class from the innermost out, with
    // what it inherits, and stops at the first that has the name.
    const Hierarchy hierarchy(c.owner, c.unit);
    for (size_t i = 0; reaches && i < chain.size() && chain[i] != cls; ++i) {
        reaches = hierarchy.surelyLacks(chain[i], name, isMethod);
    }
    return reaches ? std::string() : namedOuterThis(cls, c) + ".";
}

std::optional<std::string> qualifiedCreation(const Expr& e, const PrintContext& c, const ExprPrinter& p,
                                             const std::string& arguments) {
    if (e.op != "qualified" || e.args.empty()) return std::nullopt;
    const InnerClass* entry = innerMemberEntry(e.owner, c.owner, c.unit);
    if (!entry) return std::nullopt;
    const std::string outer = outerThisText(*e.args[0], c);
    return (outer.empty() ? p.print(*e.args[0], 15) : outer) + ".new " + entry->simpleName + "(" + arguments + ")";
}

}  // namespace jad::body
