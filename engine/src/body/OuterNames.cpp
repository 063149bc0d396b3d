#include "body/OuterNames.h"

#include <algorithm>

#include "body/ClassLookup.h"
#include "body/OuterInstances.h"

namespace jad::body {

namespace {

// Whether `file` declares nothing named `name` and inherits nothing we
// cannot see.
bool surelyLacks(const ClassFile& file, const std::string& name, bool isMethod) {
    if (file.superClass != "java/lang/Object" || !file.interfaces.empty()) return false;
    if (isMethod) {
        return std::none_of(file.methods.begin(), file.methods.end(), [&](const Method& m) { return m.name == name; });
    }
    return std::none_of(file.fields.begin(), file.fields.end(), [&](const Field& f) { return f.name == name; });
}

}  // namespace

std::string outerThisText(const Expr& e, const PrintContext& c) {
    if (e.kind != ExprKind::Field) return std::string();
    const std::string cls = instanceClassOf(e);
    if (cls.empty() || cls == c.owner.thisClass) return std::string();
    const std::vector<std::string> chain = enclosingInstances(c.owner, c.unit);
    if (std::find(chain.begin(), chain.end(), cls) == chain.end()) return std::string();
    return c.types.className(cls) + ".this";
}

std::optional<std::string> outerMemberQualifier(const Expr& receiver, const std::string& name, bool isMethod,
                                                const PrintContext& c) {
    const std::string self = outerThisText(receiver, c);
    if (self.empty()) return std::nullopt;
    const std::string cls = instanceClassOf(receiver);
    const std::vector<std::string> chain = enclosingInstances(c.owner, c.unit);
    // A local of the method or one the class captures would hide the field.
    const bool hidden = c.localNames.count(name) || (c.outerNames && c.outerNames->count(name));
    bool reaches = !c.inLambda && (isMethod || !hidden);
    for (size_t i = 0; reaches && i < chain.size() && chain[i] != cls; ++i) {
        const ClassFile* file = classOf(chain[i], c.owner, c.unit);
        reaches = file && surelyLacks(*file, name, isMethod);
    }
    return reaches ? std::string() : self + ".";
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
