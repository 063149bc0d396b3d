#include "body/synthetic/Captures.h"

#include <map>

#include "body/ir/Failure.h"
#include "body/ir/Walk.h"
#include "body/types/ClassLookup.h"
#include "body/types/OuterInstances.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

bool declaresWithValue(const Stmt& s, const Var* var) {
    return s.declare.size() == 1 && s.declare[0].get() == var && s.kind == StmtKind::Expr && s.expr &&
           s.expr->kind == ExprKind::Assign && assignedVar(*s.expr) == var;
}

// The loops around each blank local's declaration and around each plain
// assignment of a local, counted from the body: a local declared without a
// value and assigned once with no loop between is definitely unassigned
// before that assignment, and so effectively final.
class BlankLocals {
public:
    void walk(StmtList& list, int loops) {
        for (StmtPtr& s : list) {
            for (const VarPtr& v : s->declare) {
                if (!declaresWithValue(*s, v.get())) _declared[v.get()] = loops;
            }
            const bool loop = s->kind == StmtKind::Loop;
            if (s->expr) expr(*s->expr, loop ? loops + 1 : loops);
            if (!s->init.empty()) walk(s->init, loops);
            const int inner = loop ? loops + 1 : loops;
            if (!s->body.empty()) walk(s->body, inner);
            if (!s->elseBody.empty()) walk(s->elseBody, inner);
            if (!s->update.empty()) walk(s->update, inner);
            if (!s->finallyBody.empty()) walk(s->finallyBody, inner);
            for (SwitchArm& arm : s->arms) walk(arm.body, inner);
            for (CatchClause& c : s->catches) walk(c.body, inner);
        }
    }

    // Assigned once, by a plain assignment outside any loop its declaration is outside of.
    bool assignedOnce(const Var* var) const {
        auto declared = _declared.find(var);
        auto assigned = _assigned.find(var);
        return declared != _declared.end() && assigned != _assigned.end() && assigned->second.size() == 1 &&
               assigned->second[0] == declared->second;
    }

private:
    void expr(const Expr& e, int loops) {
        if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Local) _assigned[e.args[0]->var.get()].push_back(loops);
        for (const ExprPtr& child : e.args) expr(*child, loops);
    }

    std::map<const Var*, int> _declared;
    std::map<const Var*, std::vector<int>> _assigned;
};

}  // namespace

std::set<const Var*> notEffectivelyFinal(StmtList& body) {
    std::map<const Var*, int> writes;
    visitAllExprs(body, [&](ExprPtr& e) {
        if (const Var* v = assignedVar(*e)) ++writes[v];
    });
    std::set<const Var*> declaredWithValue;
    visitLists(body, [&](StmtList& list) {
        for (const StmtPtr& s : list) {
            if (!s->declare.empty() && declaresWithValue(*s, s->declare[0].get())) declaredWithValue.insert(s->declare[0].get());
        }
    });
    BlankLocals blank;
    blank.walk(body, 0);
    std::set<const Var*> result;
    for (const auto& [var, count] : writes) {
        const bool local = var->kind == VarKind::Local || var->kind == VarKind::Temp;
        const bool once = count == 1 && (declaredWithValue.count(var) || blank.assignedOnce(var));
        if (!local || !once) result.insert(var);
    }
    return result;
}

void rewriteCapturedReads(StmtList& body, const ClassFile& owner, const Method& method, const UnitContext* unit,
                          const std::set<std::string>& namesInUse) {
    if (!unit) return;
    // The constructor's parameters carry the captured names themselves.
    const bool constructor = method.name == "<init>";
    std::map<std::string, VarPtr> locals;
    visitAllExprs(body, [&](ExprPtr& slot) {
        if (slot->kind != ExprKind::Field || slot->isStatic || slot->args.empty()) return;
        // A class nested in an anonymous class reads the captures of that
        // class through its outer-instance field.
        const Expr& receiver = *slot->args[0];
        if (receiver.kind != ExprKind::This && instanceClassOf(receiver) != slot->owner) return;
        const std::map<std::string, std::string>* captured = unit->capturedNames(slot->owner);
        if (!captured) return;
        auto found = captured->find(slot->name);
        if (found == captured->end()) return;
        if (found->second.empty()) throw Unsupported{"anonymous class captures an expression"};
        if (namesInUse.count(found->second) && !(constructor && slot->owner == owner.thisClass)) {
            throw Unsupported{"captured local hidden by a local"};
        }
        VarPtr& var = locals[slot->owner + "." + slot->name];
        if (!var) {
            var = std::make_shared<Var>();
            var->kind = VarKind::Parameter;
            var->type = slot->type;
            var->declaredType = true;
            var->name = found->second;
            var->generic = unit->capturedType(slot->owner, slot->name);
        }
        slot = makeLocal(var);
    });
}

void moveCaptureStoresAfterSuperCall(StmtList& body, const ClassFile& owner) {
    auto isObjectConstructorCall = [&](const Stmt& s) {
        return s.kind == StmtKind::Expr && s.expr->kind == ExprKind::Invoke && s.expr->name == "<init>" &&
               s.expr->owner == "java/lang/Object" && owner.superClass == "java/lang/Object" &&
               !s.expr->args.empty() && s.expr->args[0]->kind == ExprKind::This;
    };
    auto isFinalField = [&](const std::string& name) {
        for (const Field& f : owner.fields) {
            if (f.name == name) {
                return (f.access & access::Final) && !(f.access & access::Static) && !isSynthetic(f);
            }
        }
        return false;
    };
    auto isStoreOfParameter = [&](const Stmt& s) {
        if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return false;
        const Expr& target = *s.expr->args[0];
        const Expr& value = *s.expr->args[1];
        return target.kind == ExprKind::Field && !target.isStatic && target.owner == owner.thisClass &&
               target.args[0]->kind == ExprKind::This && isFinalField(target.name) && value.kind == ExprKind::Local &&
               value.var->kind == VarKind::Parameter;
    };
    size_t call = 0;
    while (call < body.size() && !isObjectConstructorCall(*body[call])) ++call;
    if (call == body.size()) return;
    StmtList moved, kept;
    for (size_t i = 0; i < call; ++i) (isStoreOfParameter(*body[i]) ? moved : kept).push_back(body[i]);
    if (moved.empty()) return;
    StmtList result = kept;
    result.push_back(body[call]);
    result.insert(result.end(), moved.begin(), moved.end());
    result.insert(result.end(), body.begin() + static_cast<long>(call) + 1, body.end());
    body = std::move(result);
}

void retypeAnonymousLocals(const std::vector<VarPtr>& vars, const UnitContext* unit) {
    if (!unit) return;
    for (const VarPtr& var : vars) {
        // Anonymous classes are named Outer$N; any other type needs no look.
        if (!var || var->type.base != 'L' || var->type.className.find('$') == std::string::npos) continue;
        const ClassFile* file = unit->findClass(var->type.className);
        if (!file || !isAnonymousClassFile(*file)) continue;
        const bool implementsOne = file->superClass == "java/lang/Object" && file->interfaces.size() == 1;
        var->type.className = implementsOne ? file->interfaces[0] : file->superClass;
    }
}

}  // namespace jad::body
