#include "body/classes/LocalClassDeclarations.h"

#include <map>
#include <optional>
#include <set>

#include "body/ir/Failure.h"

namespace jad::body {

namespace {

// Every expression slot under `list`, the switch expressions' arms included.
template <typename F> void eachExpr(StmtList& list, F&& f);

template <typename F> void eachExprIn(ExprPtr& e, F&& f) {
    if (!e) return;
    for (ExprPtr& child : e->args) eachExprIn(child, f);
    if (e->block) {
        StmtList inner{e->block};
        eachExpr(inner, f);
    }
    f(e);
}

template <typename F> void eachExpr(StmtList& list, F&& f) {
    for (StmtPtr& s : list) {
        eachExprIn(s->expr, f);
        for (SwitchArm& arm : s->arms) {
            for (ExprPtr& label : arm.labels) eachExprIn(label, f);
            eachExprIn(arm.guard, f);
        }
        eachExpr(s->init, f);
        eachExpr(s->body, f);
        eachExpr(s->elseBody, f);
        eachExpr(s->update, f);
        eachExpr(s->finallyBody, f);
        for (SwitchArm& arm : s->arms) eachExpr(arm.body, f);
        for (CatchClause& c : s->catches) eachExpr(c.body, f);
    }
}

bool isOwnMethod(const EnclosingMethod& declared, const ClassFile& owner, const Method& method) {
    return declared.className == owner.thisClass && declared.methodName == method.name &&
           declared.methodDescriptor == method.descriptor;
}

std::string descriptorOf(const std::vector<JavaType>& parameters, size_t from, size_t to) {
    std::string text = "(";
    for (size_t i = from; i < to; ++i) text += parameters[i].descriptor();
    return text + ")V";
}

// The creations (and this(...) calls) of local classes printed in place,
// without what the source did not write.
class Creations {
public:
    Creations(const PrintContext& c, const Method& method) : _c(c), _method(method) {}

    void rewrite(Expr& e) {
        const bool creation = e.kind == ExprKind::New;
        const bool call = e.kind == ExprKind::Invoke && e.name == "<init>" && !e.args.empty() &&
                          e.args[0]->kind == ExprKind::This;
        if (!creation && !call) return;
        const LocalClassShape* shape = _c.unit->localClassShape(e.owner);
        if (!shape) return;
        const ClassFile* file = _c.unit->findClass(e.owner);
        const size_t first = creation ? 0 : 1;
        auto type = methodTypeOf(e.descriptor);
        const size_t outer = shape->outerParameter ? 1 : 0;
        const size_t count = shape->captureFields.size();
        if (!file || !file->enclosingMethod || !type || type->parameters.size() + first != e.args.size() ||
            type->parameters.size() < outer + count) {
            throw Unsupported{"creation of a local class unlike its constructors"};
        }
        if (outer) checkOuter(*e.args[first], call, file->enclosingMethod->className);
        const size_t start = e.args.size() - count;
        for (size_t i = 0; i < count; ++i) checkCapture(*file, *shape, i, *e.args[start + i]);
        e.args.erase(e.args.begin() + static_cast<long>(start), e.args.end());
        if (outer) e.args.erase(e.args.begin() + static_cast<long>(first));
        e.descriptor = descriptorOf(type->parameters, outer, type->parameters.size() - count);
    }

    // The locals the declaring method's creations pass, per capture field.
    const std::vector<const Var*>* capturesOf(const std::string& local) const {
        auto found = _captured.find(local);
        return found == _captured.end() ? nullptr : &found->second;
    }

private:
    // The enclosing instance the source implies is the declaring class's.
    void checkOuter(const Expr& value, bool call, const std::string& declaring) const {
        // this(...) passes the constructor's own hidden first parameter on.
        if (call && value.kind == ExprKind::Local && value.var->kind == VarKind::Parameter && value.var->slot == 1) return;
        const std::string text = ExprPrinter(_c).print(value);
        if (text == "this" && _c.owner.thisClass == declaring) return;
        if (text == _c.types.className(declaring) + ".this") return;
        throw Unsupported{"local class created with another enclosing instance"};
    }

    void checkCapture(const ClassFile& file, const LocalClassShape& shape, size_t index, const Expr& value) {
        if (value.kind != ExprKind::Local) throw Unsupported{"local class created with a computed capture"};
        if (isOwnMethod(*file.enclosingMethod, _c.owner, _method)) {
            if (_c.notFinal.count(value.var.get())) throw Unsupported{"local class captures a changing local"};
            std::vector<const Var*>& vars = _captured[file.thisClass];
            vars.resize(shape.captureFields.size(), nullptr);
            if (vars[index] && vars[index] != value.var.get()) throw Unsupported{"local class captures two locals"};
            vars[index] = value.var.get();
            return;
        }
        // Inside the class itself (or a class in it) the capture reads as the local.
        const auto* names = _c.unit->capturedNames(file.thisClass);
        auto found = names ? names->find(shape.captureFields[index]) : std::map<std::string, std::string>::const_iterator();
        if (!names || found == names->end() || found->second != value.var->name) {
            throw Unsupported{"local class created where its captured locals are not seen"};
        }
    }

    const PrintContext& _c;
    const Method& _method;
    std::map<std::string, std::vector<const Var*>> _captured;
};

bool stmtNames(const Stmt& s, const std::string& local, const std::string& self);

bool typeNames(const JavaType& type, const std::string& local) { return type.base == 'L' && type.className == local; }

bool exprNames(const Expr& e, const std::string& local, const std::string& self) {
    if (e.owner == local || typeNames(e.type, local)) return true;
    if (!e.descriptor.empty() && e.descriptor.find("L" + local + ";") != std::string::npos) return true;
    if (e.var && typeNames(e.var->type, local)) return true;
    // A lambda's body is printed apart; its code may use the class anywhere.
    if (e.lambda && (e.lambda->implOwner == local || e.lambda->implOwner == self)) return true;
    for (const ExprPtr& child : e.args) {
        if (exprNames(*child, local, self)) return true;
    }
    return e.block && stmtNames(*e.block, local, self);
}

bool listNames(const StmtList& list, const std::string& local, const std::string& self) {
    for (const StmtPtr& s : list) {
        if (stmtNames(*s, local, self)) return true;
    }
    return false;
}

// What the statement holds itself, its nested statements left out.
bool ownPartsName(const Stmt& s, const std::string& local, const std::string& self) {
    if (s.expr && exprNames(*s.expr, local, self)) return true;
    for (const VarPtr& v : s.declare) {
        if (typeNames(v->type, local)) return true;
    }
    if (s.each && typeNames(s.each->type, local)) return true;
    if (listNames(s.init, local, self) || listNames(s.update, local, self)) return true;
    for (const SwitchArm& arm : s.arms) {
        for (const ExprPtr& label : arm.labels) {
            if (label && exprNames(*label, local, self)) return true;
        }
        if (arm.guard && exprNames(*arm.guard, local, self)) return true;
    }
    for (const CatchClause& c : s.catches) {
        for (const std::string& type : c.types) {
            if (type == local) return true;
        }
        if (c.var && typeNames(c.var->type, local)) return true;
    }
    return false;
}

bool stmtNames(const Stmt& s, const std::string& local, const std::string& self) {
    if (ownPartsName(s, local, self)) return true;
    if (listNames(s.body, local, self) || listNames(s.elseBody, local, self) || listNames(s.finallyBody, local, self)) {
        return true;
    }
    for (const SwitchArm& arm : s.arms) {
        if (listNames(arm.body, local, self)) return true;
    }
    for (const CatchClause& c : s.catches) {
        if (listNames(c.body, local, self)) return true;
    }
    return false;
}

// Where a declaration goes: before `index` in `list`, inside the statements
// of `path` (each an enclosing list and the statement in it).
struct Spot {
    StmtList* list = nullptr;
    size_t index = 0;
    std::vector<std::pair<StmtList*, size_t>> path;
};

std::vector<StmtList*> blocksOf(Stmt& s) {
    std::vector<StmtList*> blocks{&s.body, &s.elseBody, &s.finallyBody};
    for (SwitchArm& arm : s.arms) blocks.push_back(&arm.body);
    for (CatchClause& c : s.catches) blocks.push_back(&c.body);
    return blocks;
}

std::optional<Spot> findSpot(StmtList& list, const std::string& local, const std::string& self, Spot spot) {
    std::vector<size_t> using_;
    for (size_t i = 0; i < list.size(); ++i) {
        if (stmtNames(*list[i], local, self)) using_.push_back(i);
    }
    if (using_.empty()) return std::nullopt;
    Stmt& first = *list[using_[0]];
    if (using_.size() == 1 && !ownPartsName(first, local, self)) {
        StmtList* only = nullptr;
        int blocks = 0;
        for (StmtList* block : blocksOf(first)) {
            if (listNames(*block, local, self)) {
                only = block;
                ++blocks;
            }
        }
        if (blocks == 1) {
            spot.path.emplace_back(&list, using_[0]);
            return findSpot(*only, local, self, spot);
        }
    }
    spot.list = &list;
    spot.index = using_[0];
    return spot;
}

bool declaresWithValue(const Stmt& s, const Var* var) {
    return s.kind == StmtKind::Expr && s.expr && s.expr->kind == ExprKind::Assign &&
           s.expr->args[0]->kind == ExprKind::Local && s.expr->args[0]->var.get() == var;
}

// Declared, with its value, before the spot in a block around it; a
// parameter; or the variable of a loop or catch around it.
bool inScopeAt(const Var* var, const Spot& spot, const std::vector<VarPtr>& parameters) {
    for (const VarPtr& p : parameters) {
        if (p.get() == var) return true;
    }
    std::vector<std::pair<StmtList*, size_t>> levels = spot.path;
    levels.emplace_back(spot.list, spot.index);
    for (size_t level = 0; level < levels.size(); ++level) {
        const auto& [list, index] = levels[level];
        for (size_t i = 0; i < index && i < list->size(); ++i) {
            const Stmt& s = *(*list)[i];
            for (const VarPtr& v : s.declare) {
                if (v.get() == var) return declaresWithValue(s, var);
            }
        }
        if (level + 1 == levels.size()) break;
        // The statement the spot lies in.
        const Stmt& around = *(*list)[index];
        if (around.each.get() == var) return true;
        for (const CatchClause& c : around.catches) {
            if (c.var.get() == var) return true;
        }
    }
    return false;
}

bool isConstructorCall(const Stmt& s) {
    return s.kind == StmtKind::Expr && s.expr && s.expr->kind == ExprKind::Invoke && s.expr->name == "<init>" &&
           !s.expr->args.empty() && s.expr->args[0]->kind == ExprKind::This;
}

class Declarations {
public:
    Declarations(StmtList& body, const PrintContext& c, const std::vector<VarPtr>& parameters, const Creations& creations)
        : _body(body), _c(c), _parameters(parameters), _creations(creations) {}

    bool declare(const std::string& local) {
        const LocalClassShape* shape = _c.unit->localClassShape(local);
        if (!shape) return false;
        std::optional<Spot> spot = findSpot(_body, local, _c.owner.thisClass, Spot());
        const std::vector<const Var*>* captured = _creations.capturesOf(local);
        if (!spot) {
            if (!shape->captureFields.empty()) return false;  // never created: where its locals are is not known
            spot = Spot{&_body, 0, {}};
        }
        // Not before the constructor's this(...) or super(...).
        if (spot->list == &_body && spot->index == 0 && !_body.empty() && isConstructorCall(*_body[0])) spot->index = 1;
        std::vector<std::string> names;
        for (size_t i = 0; i < shape->captureFields.size(); ++i) {
            const Var* var = captured && i < captured->size() ? (*captured)[i] : nullptr;
            if (!var || !inScopeAt(var, *spot, _parameters)) return false;
            names.push_back(var->name);
        }
        std::set<std::string> scope = _c.localNames;
        if (_c.outerNames) scope.insert(_c.outerNames->begin(), _c.outerNames->end());
        for (const VarPtr& p : _parameters) scope.insert(p->name);
        std::vector<std::string> lines = _c.unit->localClassDeclaration(local, names, scope, _c.types, _c.options);
        if (lines.empty()) return false;
        StmtPtr declaration = makeStmt(StmtKind::LocalClass);
        declaration->text = std::move(lines);
        spot->list->insert(spot->list->begin() + static_cast<long>(spot->index), declaration);
        return true;
    }

private:
    StmtList& _body;
    const PrintContext& _c;
    const std::vector<VarPtr>& _parameters;
    const Creations& _creations;
};

}  // namespace

bool declareLocalClasses(StmtList& body, const PrintContext& context, const Method& method,
                         const std::vector<VarPtr>& parameters) {
    if (!context.unit || !context.unit->hasLocalClassesInPlace()) return false;
    Creations creations(context, method);
    eachExpr(body, [&](ExprPtr& e) { creations.rewrite(*e); });
    Declarations declarations(body, context, parameters, creations);
    bool declared = false;
    for (const std::string& local : context.unit->localClassesOf(context.owner.thisClass, method.name, method.descriptor)) {
        declared = declarations.declare(local) || declared;
    }
    return declared;
}

}  // namespace jad::body
