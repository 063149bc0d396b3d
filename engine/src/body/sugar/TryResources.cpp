#include "body/sugar/TryResources.h"

#include <optional>
#include <set>

#include "body/ir/LoweredMatch.h"
#include "body/ir/Walk.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

const char* const kThrowable = "java/lang/Throwable";
const char* const kCloseHelper = "(Ljava/lang/Throwable;Ljava/lang/AutoCloseable;)V";

bool catchesThrowable(const CatchClause& c) { return c.types.size() == 1 && c.types[0] == kThrowable && c.var; }

bool isPlain(const Stmt& s) { return s.declare.empty() && !s.label; }

// `r.close();`
bool isClose(const Stmt& s, const Var* r) {
    if (s.kind != StmtKind::Expr || !isPlain(s)) return false;
    const Expr& e = *s.expr;
    return e.kind == ExprKind::Invoke && !e.isStatic && e.name == "close" && e.descriptor == "()V" &&
           e.args.size() == 1 && isLocal(*e.args[0], r);
}

// `if (r != null) one;` without else: the statement, or null.
const Stmt* guarded(const Stmt& s, const Var* r) {
    if (s.kind != StmtKind::If || !isPlain(s) || !s.elseBody.empty() || s.body.size() != 1) return nullptr;
    return comparesWithNull(*s.expr, r, false) ? s.body[0].get() : nullptr;
}

// `try { r.close(); } catch (Throwable x) { primary.addSuppressed(x); }`
bool isSuppressingClose(const Stmt& s, const Var* r, const Var* primary) {
    if (s.kind != StmtKind::Try || !isPlain(s) || !s.init.empty() || !s.finallyBody.empty() || s.body.size() != 1 ||
        s.catches.size() != 1 || !isClose(*s.body[0], r) || !catchesThrowable(s.catches[0])) {
        return false;
    }
    const CatchClause& c = s.catches[0];
    if (c.body.size() != 1 || c.body[0]->kind != StmtKind::Expr || !isPlain(*c.body[0])) return false;
    const Expr& e = *c.body[0]->expr;
    return e.kind == ExprKind::Invoke && !e.isStatic && e.name == "addSuppressed" &&
           e.descriptor == "(Ljava/lang/Throwable;)V" && e.args.size() == 2 && isLocal(*e.args[0], primary) &&
           isLocal(*e.args[1], c.var.get());
}

// `s` as `if (r != null) inner` (checked) or inner alone: the inner statement.
const Stmt* closeSite(const Stmt& s, const Var* r, bool& checked) {
    const Stmt* inner = guarded(s, r);
    checked = inner != nullptr;
    return inner ? inner : &s;
}

bool throwsVar(const Stmt& s, const Var* v) {
    return s.kind == StmtKind::Throw && isPlain(s) && isLocal(*s.expr, v);
}

// Whether control leaves `body` only by falling off its end or by throwing.
bool onlyFallsThrough(StmtList& body) {
    std::set<int> inside;
    bool leaves = false;
    visitLists(body, [&](StmtList& list) {
        for (const StmtPtr& s : list) {
            if (s->label) inside.insert(s->label);
        }
    });
    visitLists(body, [&](StmtList& list) {
        for (const StmtPtr& s : list) {
            if (s->kind == StmtKind::Return) leaves = true;
            if ((s->kind == StmtKind::Break || s->kind == StmtKind::Continue) && !inside.count(s->target)) leaves = true;
        }
    });
    return !leaves;
}

bool writes(StmtList& body, const Var* v) {
    bool found = false;
    visitAllExprs(body, [&](ExprPtr& e) {
        if (assignedVar(*e) == v) found = true;
    });
    return found;
}

StmtPtr resourceTry(const StmtPtr& declaration, const Stmt& lowered) {
    auto t = makeStmt(StmtKind::Try);
    t->init = {declaration};
    t->body = lowered.body;
    t->declare = lowered.declare;
    return t;
}

bool isResourceTry(const Stmt& s) { return s.kind == StmtKind::Try && !s.init.empty(); }

bool isBareResourceTry(const Stmt& s) {
    return isResourceTry(s) && s.catches.empty() && s.finallyBody.empty() && s.declare.empty() && !s.label;
}

class Folder {
public:
    Folder(const RefCounts& counts, const std::string& owner, bool closeHelper)
        : _counts(counts), _owner(owner), _closeHelper(closeHelper) {}

    void run(StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i]->kind != StmtKind::Try) continue;
            if (i >= 1 && i + 1 < list.size() && closedAfter(list, i)) --i;
            else if (i >= 2 && closedInFinally(list, i)) i -= 2;
            mergeNested(*list[i]);
        }
    }

private:
    // javac 11 on: R r = init; try { body } catch (Throwable t) { close, adding to t; throw t; } close;
    bool closedAfter(StmtList& list, size_t at) {
        Stmt& t = *list[at];
        Var* r = declaringStore(*list[at - 1]);
        if (!r || !r->type.isReference() || !t.init.empty() || !t.finallyBody.empty() || t.catches.size() != 1 ||
            t.body.empty() || !catchesThrowable(t.catches[0])) {
            return false;
        }
        const bool isNew = storedValue(*list[at - 1]).kind == ExprKind::New;
        const CatchClause& c = t.catches[0];
        if (c.body.size() != 2 || !throwsVar(*c.body[1], c.var.get())) return false;
        bool checkedInCatch = false, checkedAfter = false;
        const Stmt* inCatch = closeSite(*c.body[0], r, checkedInCatch);
        const Stmt* after = closeSite(*list[at + 1], r, checkedAfter);
        if (!isSuppressingClose(*inCatch, r, c.var.get()) || !isClose(*after, r)) return false;
        // Without the checks the resource must be a new object, as javac only then leaves them out.
        if (checkedInCatch != checkedAfter || (!checkedInCatch && !isNew)) return false;
        if (!list[at + 1]->declare.empty() || !onlyFallsThrough(t.body) || writes(t.body, r)) return false;
        const int outside = 3 + (checkedInCatch ? 2 : 0);
        if (refs(_counts, r) != countIn(t.body, r) + outside) return false;
        StmtPtr folded = resourceTry(list[at - 1], t);
        list.erase(list.begin() + static_cast<long>(at), list.begin() + static_cast<long>(at + 2));
        list[at - 1] = folded;
        return true;
    }

    // javac 7 to 10: R r = init; Throwable p = null;
    // try { body } catch (Throwable t) { p = t; throw t; } finally { close r, adding to p }
    bool closedInFinally(StmtList& list, size_t at) {
        Stmt& t = *list[at];
        Var* r = declaringStore(*list[at - 2]);
        Var* primary = declaringStore(*list[at - 1]);
        if (!r || !primary || r == primary || !r->type.isReference() || !isObjectClass(primary->type, kThrowable) ||
            storedValue(*list[at - 1]).kind != ExprKind::Null) {
            return false;
        }
        if (!t.init.empty() || t.catches.size() != 1 || t.finallyBody.size() != 1 || t.body.empty() ||
            !catchesThrowable(t.catches[0])) {
            return false;
        }
        const CatchClause& c = t.catches[0];
        if (c.body.size() != 2 || !throwsVar(*c.body[1], c.var.get()) || !savesPrimary(*c.body[0], primary, c.var.get())) {
            return false;
        }
        const bool isNew = storedValue(*list[at - 2]).kind == ExprKind::New;
        bool checked = false;
        const Stmt* close = closeSite(*t.finallyBody[0], r, checked);
        if (!checked && !isNew) return false;
        int uses = 0;  // of r and of p in the close
        if (callsCloseResource(*close, r, primary)) uses = 1;
        else if (closesInline(*close, r, primary)) uses = 2;
        else return false;
        if (writes(t.body, r) || refs(_counts, primary) != 2 + uses) return false;
        if (refs(_counts, r) != countIn(t.body, r) + 1 + (checked ? 1 : 0) + uses) return false;
        StmtPtr folded = resourceTry(list[at - 2], t);
        list.erase(list.begin() + static_cast<long>(at - 1), list.begin() + static_cast<long>(at + 1));
        list[at - 2] = folded;
        return true;
    }

    // `p = t;`
    static bool savesPrimary(const Stmt& s, const Var* primary, const Var* caught) {
        return s.kind == StmtKind::Expr && isPlain(s) && s.expr->kind == ExprKind::Assign &&
               isLocal(*s.expr->args[0], primary) && isLocal(*s.expr->args[1], caught);
    }

    // `$closeResource(p, r);`, javac 9 and 10's helper in the class itself.
    bool callsCloseResource(const Stmt& s, const Var* r, const Var* primary) const {
        if (s.kind != StmtKind::Expr || !isPlain(s)) return false;
        const Expr& e = *s.expr;
        if (!_closeHelper || e.kind != ExprKind::Invoke || !e.isStatic || e.owner != _owner ||
            e.name != "$closeResource" || e.descriptor != kCloseHelper || e.args.size() != 2) {
            return false;
        }
        const Expr* resource = e.args[1].get();
        if (resource->kind == ExprKind::Cast) resource = resource->args[0].get();
        return isLocal(*e.args[0], primary) && isLocal(*resource, r);
    }

    // `if (p != null) try { r.close(); } catch (Throwable x) { p.addSuppressed(x); } else r.close();`
    // or with the test turned round.
    static bool closesInline(const Stmt& s, const Var* r, const Var* primary) {
        if (s.kind != StmtKind::If || !isPlain(s) || s.body.size() != 1 || s.elseBody.size() != 1) return false;
        const bool notNull = comparesWithNull(*s.expr, primary, false);
        if (!notNull && !comparesWithNull(*s.expr, primary, true)) return false;
        const Stmt& suppressing = notNull ? *s.body[0] : *s.elseBody[0];
        const Stmt& plain = notNull ? *s.elseBody[0] : *s.body[0];
        return isSuppressingClose(suppressing, r, primary) && isClose(plain, r);
    }

    static int countIn(StmtList& body, const Var* v) {
        int n = 0;
        visitAllExprs(body, [&](ExprPtr& e) {
            if (isLocal(*e, v)) ++n;
        });
        return n;
    }

    // try (A a = x) { try (B b = y) { ... } } is try (A a = x; B b = y) { ... },
    // and try { try (A a = x) { ... } } catch ... is try (A a = x) { ... } catch ...
    static void mergeNested(Stmt& t) {
        if (t.kind != StmtKind::Try) return;
        while (t.body.size() == 1 && isBareResourceTry(*t.body[0]) &&
               (isResourceTry(t) || !t.catches.empty() || !t.finallyBody.empty())) {
            const StmtPtr inner = t.body[0];
            t.init.insert(t.init.end(), inner->init.begin(), inner->init.end());
            t.body = inner->body;
        }
    }

    const RefCounts& _counts;
    const std::string& _owner;
    const bool _closeHelper;
};

// The class and its superclasses; nothing when one cannot be read.
std::optional<std::set<std::string>> superclassChain(const Hierarchy& hierarchy, std::string cls) {
    std::set<std::string> chain;
    for (int depth = 0; depth < 64 && !cls.empty(); ++depth) {
        chain.insert(cls);
        if (cls == "java/lang/Object") return chain;
        const ClassFile* file = hierarchy.find(cls);
        if (!file) return std::nullopt;
        cls = file->superClass;
    }
    return cls.empty() ? std::optional<std::set<std::string>>(chain) : std::nullopt;
}

// javac's helper: static, synthetic, (Throwable, AutoCloseable) void.
bool hasCloseHelper(const ClassFile& owner) {
    for (const Method& m : owner.methods) {
        // The flags first: every method of the class is looked at.
        if ((m.access & access::Static) && isSynthetic(m) && m.name == "$closeResource" &&
            m.descriptor == kCloseHelper) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool unrelatedClasses(const Hierarchy& hierarchy, const std::string& a, const std::string& b) {
    const auto chainA = superclassChain(hierarchy, a), chainB = superclassChain(hierarchy, b);
    return chainA && chainB && !chainA->count(b) && !chainB->count(a);
}

void foldTryResources(StmtList& body, const ClassFile& owner) {
    if (!containsStmt(body, StmtKind::Try)) return;  // the folds start at one
    const RefCounts counts = countRefs(body);
    Folder folder(counts, owner.thisClass, hasCloseHelper(owner));
    visitLists(body, [&](StmtList& list) { folder.run(list); });
}

void joinMultiCatch(StmtList& body, const Unrelated& unrelated) {
    visitLists(body, [&](StmtList& list) {
        for (StmtPtr& s : list) {
            if (s->kind != StmtKind::Try) continue;
            auto& catches = s->catches;
            for (size_t i = 0; i + 1 < catches.size();) {
                CatchClause& first = catches[i];
                const CatchClause& next = catches[i + 1];
                bool join = first.var && first.var == next.var && next.types.size() == 1 && !next.types[0].empty() &&
                            !first.types.empty() && !first.types[0].empty() && !writes(first.body, first.var.get());
                for (size_t k = 0; join && k < first.types.size(); ++k) join = unrelated(first.types[k], next.types[0]);
                if (!join) {
                    ++i;
                    continue;
                }
                first.types.push_back(next.types[0]);
                catches.erase(catches.begin() + static_cast<long>(i + 1));
            }
        }
    });
}

}  // namespace jad::body
