#include "body/types/OuterInstances.h"

#include <algorithm>

#include "body/ir/Walk.h"
#include "body/types/ClassLookup.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

// Deeper nesting than this is not from a compiler; it also stops cycles.
constexpr int MaxNesting = 16;

const InnerClass* entryIn(const ClassFile& file, const std::string& name) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == name) return &inner;
    }
    return nullptr;
}

const InnerClass* anyEntry(const std::string& name, const ClassFile& owner, const UnitContext* unit) {
    if (const InnerClass* entry = entryIn(owner, name)) return entry;
    // The owner must list every nested class it refers to; a name without
    // a `$` is not worth reading a file for when it does not.
    if (name.find('$') == std::string::npos) return nullptr;
    const ClassFile* file = name == owner.thisClass ? nullptr : classOf(name, owner, unit);
    return file ? entryIn(*file, name) : nullptr;
}

bool isOuterField(const Field& f, const std::string& outer) {
    return f.name.rfind("this$", 0) == 0 && f.descriptor == "L" + outer + ";" && isSynthetic(f);
}

// A local or anonymous class has an enclosing instance when javac gave it
// an outer-instance field.
std::string enclosingOfLocal(const std::string& name, const ClassFile& owner, const UnitContext* unit) {
    const ClassFile* file = classOf(name, owner, unit);
    if (!file || !file->enclosingMethod) return std::string();
    const std::string& outer = file->enclosingMethod->className;
    for (const Field& f : file->fields) {
        if (isOuterField(f, outer)) return outer;
    }
    return std::string();
}

bool isTypedAs(const JavaType& type, const std::string& className) {
    return type.base == 'L' && !type.isArray() && type.className == className;
}

// The descriptor without its first parameter.
std::string withoutFirstParameter(const std::string& descriptor) {
    auto type = methodTypeOf(descriptor);
    if (!type || type->parameters.empty()) return descriptor;
    std::string text = "(";
    for (size_t i = 1; i < type->parameters.size(); ++i) text += type->parameters[i].descriptor();
    return text + ")" + type->returnType.descriptor();
}

class Rewriter {
public:
    Rewriter(const ClassFile& owner, const UnitContext* unit)
        : _owner(owner), _unit(unit), _chain(enclosingInstances(owner, unit)) {}

    // The hidden first parameter of an inner class's constructor is the
    // value of its outer-instance field.
    void replaceOuterParameter(StmtList& body, const Method& method) {
        const std::string outer = outerClassOfConstructors();
        auto type = methodTypeOf(method.descriptor);
        if (outer.empty() || !type || type->parameters.empty() || !isTypedAs(type->parameters[0], outer)) return;
        ExprPtr self;
        visitAllExprs(body, [&](ExprPtr& slot) {
            if (!self && slot->kind == ExprKind::This) self = slot;
        });
        if (!self) return;
        std::string fieldName = "this$0";
        for (const Field& f : _owner.fields) {
            if (isOuterField(f, outer)) fieldName = f.name;
        }
        visitAllExprs(body, [&](ExprPtr& slot) {
            if (slot->kind != ExprKind::Local || !slot->var || slot->var->kind != VarKind::Parameter || slot->var->slot != 1) return;
            auto f = makeExpr(ExprKind::Field, type->parameters[0]);
            f->owner = _owner.thisClass;
            f->name = fieldName;
            f->descriptor = type->parameters[0].descriptor();
            f->args = {std::make_shared<Expr>(*self)};
            slot = f;
        });
    }

    // The class whose instance the constructors take first: an inner member
    // class's outer class, or the class of the method a local class printed
    // in place is declared in.
    std::string outerClassOfConstructors() const {
        if (const InnerClass* own = innerMemberEntry(_owner.thisClass, _owner, _unit)) return own->outerClass;
        const LocalClassShape* local = _unit ? _unit->localClassShape(_owner.thisClass) : nullptr;
        if (!local || !local->outerParameter || !_owner.enclosingMethod) return std::string();
        return _owner.enclosingMethod->className;
    }

    void dropImplicitOuterArguments(StmtList& body) {
        visitAllExprs(body, [&](ExprPtr& slot) {
            Expr& e = *slot;
            if (e.kind == ExprKind::New) return creation(e);
            if (e.kind == ExprKind::Invoke && e.args.size() >= 2 && e.args[0]->kind == ExprKind::This && e.name == "<init>") {
                constructorCall(e);
            }
        });
    }

    // javac checks the outer instance of `outer.new Inner()` for null with
    // Objects.requireNonNull(outer) or outer.getClass() just before; the
    // qualified creation does that check itself.
    void dropNullChecks(StmtList& body) {
        visitLists(body, [](StmtList& list) {
            for (size_t i = 0; i + 1 < list.size(); ++i) {
                const Expr* checked = nullCheckedValue(*list[i]);
                if (checked && createsWithOuter(*list[i + 1], *checked)) list.erase(list.begin() + static_cast<long>(i));
            }
        });
    }

private:
    static const Expr* nullCheckedValue(const Stmt& s) {
        if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Invoke || s.expr->args.size() != 1) return nullptr;
        const Expr& call = *s.expr;
        const bool requireNonNull = call.isStatic && call.owner == "java/util/Objects" && call.name == "requireNonNull" &&
                                    call.descriptor == "(Ljava/lang/Object;)Ljava/lang/Object;";
        const bool getClass = !call.isStatic && call.name == "getClass" && call.descriptor == "()Ljava/lang/Class;";
        return requireNonNull || getClass ? call.args[0].get() : nullptr;
    }

    static bool createsWithOuter(Stmt& s, const Expr& outer) {
        bool found = false;
        visitOwnExprs(s, [&](ExprPtr& top) {
            forEachExpr(top, [&](const ExprPtr& e) {
                found = found || (e->kind == ExprKind::New && e->op == "qualified" && samePure(*e->args[0], outer));
            });
        });
        return found;
    }

    bool isSubclass(const std::string& name, const std::string& base) const {
        std::string current = name;
        for (int depth = 0; depth < MaxNesting && !current.empty(); ++depth) {
            if (current == base) return true;
            const ClassFile* file = classOf(current, _owner, _unit);
            if (!file) return false;
            current = file->superClass;
        }
        return false;
    }

    // Whether the source's implicit outer instance is `outerArgument`: the
    // innermost enclosing instance (from `first` outward) whose class is, or
    // inherits from, the class the member belongs to.
    bool implicit(const Expr& outerArgument, const std::string& outer, size_t first) const {
        const std::string cls = instanceClassOf(outerArgument);
        for (size_t i = first; i < _chain.size(); ++i) {
            if (isSubclass(_chain[i], outer)) return _chain[i] == cls;
        }
        return false;
    }

    const InnerClass* takesOuter(const Expr& e, size_t outerIndex) const {
        const InnerClass* entry = innerMemberEntry(e.owner, _owner, _unit);
        if (!entry || e.args.size() <= outerIndex) return nullptr;
        auto type = methodTypeOf(e.descriptor);
        if (!type || type->parameters.empty() || !isTypedAs(type->parameters[0], entry->outerClass)) return nullptr;
        return entry;
    }

    void creation(Expr& e) {
        const InnerClass* entry = takesOuter(e, 0);
        if (!entry) return;
        if (!implicit(*e.args[0], entry->outerClass, 0)) {
            // printed as outer.new Inner(...)
            e.op = "qualified";
            return;
        }
        e.args.erase(e.args.begin());
        e.descriptor = withoutFirstParameter(e.descriptor);
    }

    void constructorCall(Expr& e) {
        const InnerClass* entry = takesOuter(e, 1);
        // A constructor's own object is not yet an enclosing instance.
        if (!entry || !implicit(*e.args[1], entry->outerClass, 1)) return;
        e.args.erase(e.args.begin() + 1);
        e.descriptor = withoutFirstParameter(e.descriptor);
    }

    const ClassFile& _owner;
    const UnitContext* _unit;
    std::vector<std::string> _chain;
};

}  // namespace

const InnerClass* innerMemberEntry(const std::string& name, const ClassFile& owner, const UnitContext* unit) {
    const InnerClass* entry = anyEntry(name, owner, unit);
    if (!entry || entry->outerClass.empty() || entry->simpleName.empty()) return nullptr;
    if (entry->access & (access::Static | access::Interface)) return nullptr;
    return entry;
}

std::vector<std::string> enclosingInstances(const ClassFile& owner, const UnitContext* unit) {
    std::vector<std::string> chain{owner.thisClass};
    for (int depth = 0; depth < MaxNesting; ++depth) {
        const std::string& current = chain.back();
        const InnerClass* entry = anyEntry(current, owner, unit);
        if (!entry || (entry->access & (access::Static | access::Interface))) break;
        std::string next = entry->outerClass.empty() ? enclosingOfLocal(current, owner, unit) : entry->outerClass;
        if (next.empty() || std::find(chain.begin(), chain.end(), next) != chain.end()) break;
        chain.push_back(next);
    }
    return chain;
}

std::string instanceClassOf(const Expr& e) {
    if (e.kind == ExprKind::This) return e.type.base == 'L' && !e.type.isArray() ? e.type.className : std::string();
    if (e.kind != ExprKind::Field || e.isStatic || e.args.empty() || e.name.rfind("this$", 0) != 0) return std::string();
    if (e.type.base != 'L' || e.type.isArray() || instanceClassOf(*e.args[0]).empty()) return std::string();
    return e.type.className;
}

void rewriteOuterInstances(StmtList& body, const ClassFile& owner, const Method& method, const UnitContext* unit) {
    Rewriter rewriter(owner, unit);
    if (method.name == "<init>") rewriter.replaceOuterParameter(body, method);
    rewriter.dropImplicitOuterArguments(body);
    rewriter.dropNullChecks(body);
}

}  // namespace jad::body
