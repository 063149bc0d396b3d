#include "body/types/HiddenFields.h"

#include "body/ir/Walk.h"
#include "body/types/OuterInstances.h"

namespace jad::body {

namespace {

// The class the printed receiver's type names, as a lookup of a member
// starts from it; empty for arrays, primitives and unknown types.
std::string lookupStart(const Expr& receiver) {
    const std::string instance = instanceClassOf(receiver);
    if (!instance.empty()) return instance;
    const JavaType& t = receiver.type;
    if (t.dimensions != 0 || t.base != 'L') return std::string();
    return t.className;
}

bool sameField(const Hierarchy& hierarchy, const std::string& from, const std::string& owner, const std::string& name) {
    if (from.empty()) return false;
    if (from == owner) return true;
    const auto printed = hierarchy.fieldOwner(from, name);
    if (!printed || printed->empty()) return false;
    const auto meant = hierarchy.fieldOwner(owner, name);
    return meant && *meant == *printed;
}

}  // namespace

void qualifyHiddenFields(StmtList& body, const ClassFile& owner, const Hierarchy& hierarchy, bool plainThis) {
    visitAllExprs(body, [&](ExprPtr& slot) {
        Expr& e = *slot;
        if (e.kind != ExprKind::Field || e.isStatic || e.args.empty() || e.op == "super") return;
        // The plumbing of inner classes is printed as what it stands for.
        if (e.name.rfind("this$", 0) == 0 || e.name.rfind("val$", 0) == 0) return;
        ExprPtr& receiver = e.args[0];
        if (sameField(hierarchy, lookupStart(*receiver), e.owner, e.name)) return;
        if (receiver->kind == ExprKind::This && plainThis && e.owner == owner.superClass) {
            e.op = "super";
            return;
        }
        receiver = makeCast(typeOfClassName(e.owner), receiver);
    });
}

}  // namespace jad::body
