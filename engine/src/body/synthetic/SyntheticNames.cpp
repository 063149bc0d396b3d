#include "body/synthetic/SyntheticNames.h"

#include "body/decode/EnumValues.h"
#include "body/ir/Walk.h"
#include "body/synthetic/MemberFilter.h"
#include "body/types/ClassLookup.h"

namespace jad::body {

namespace {

class Renamer {
public:
    Renamer(const ClassFile& owner, const UnitContext* unit) : _owner(owner), _unit(unit) {}

    void visit(ExprPtr& slot) {
        Expr& e = *slot;
        const bool isField = e.kind == ExprKind::Field;
        if (!isField && !(e.kind == ExprKind::Invoke && e.isStatic && e.args.empty())) return;
        if (e.name.find('$') == std::string::npos) return;
        if (isField) return field(e);
        valuesCall(slot);
    }

private:
    void field(Expr& e) const {
        const ClassFile* file = classOf(e.owner, _owner, _unit);
        if (!file) return;
        for (const Field& f : file->fields) {
            if (f.name == e.name && f.descriptor == e.descriptor) {
                if (!isHiddenField(f)) e.name = printedFieldName(*file, f);
                return;
            }
        }
    }

    void valuesCall(ExprPtr& slot) const {
        Expr& e = *slot;
        const ClassFile* file = classOf(e.owner, _owner, _unit);
        if (!file) return;
        for (const Method& m : file->methods) {
            if (m.name != e.name || m.descriptor != e.descriptor) continue;
            if (auto constants = enumValuesArray(*file, m)) {
                slot = arrayOf(file->thisClass, *constants);
            } else if (!isHiddenMethod(*file, m)) {
                e.name = printedMethodName(*file, m);
            }
            return;
        }
    }

    static ExprPtr arrayOf(const std::string& enumClass, const std::vector<std::string>& constants) {
        JavaType type = objectType(enumClass);
        type.dimensions = 1;
        auto init = makeExpr(ExprKind::ArrayInit, type);
        for (const std::string& name : constants) {
            auto constant = makeExpr(ExprKind::Field, objectType(enumClass));
            constant->isStatic = true;
            constant->owner = enumClass;
            constant->name = name;
            constant->descriptor = "L" + enumClass + ";";
            init->args.push_back(constant);
        }
        return init;
    }

    const ClassFile& _owner;
    const UnitContext* _unit;
};

}  // namespace

void nameSyntheticMembers(StmtList& body, const ClassFile& owner, const UnitContext* unit) {
    Renamer renamer(owner, unit);
    visitAllExprs(body, [&](ExprPtr& slot) { renamer.visit(slot); });
}

}  // namespace jad::body
