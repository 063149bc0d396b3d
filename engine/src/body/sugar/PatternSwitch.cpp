#include "body/sugar/PatternSwitch.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

const char* const Bootstraps = "java/lang/runtime/SwitchBootstraps";

bool isRead(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

// `var = value;` declaring nothing but `var`: the value, or null.
const Expr* assigned(const Stmt& s, const Var* var) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign || !isRead(*s.expr->args[0], var)) return nullptr;
    for (const VarPtr& v : s.declare) {
        if (v.get() != var) return nullptr;
    }
    return s.expr->args[1].get();
}

int countReads(StmtList& body, const Var* var) {
    int refs = 0;
    visitAllExprs(body, [&](ExprPtr& e) { refs += isRead(*e, var); });
    return refs;
}

bool isJump(const Stmt& s) {
    return s.kind == StmtKind::Break || s.kind == StmtKind::Continue || s.kind == StmtKind::Return ||
           s.kind == StmtKind::Throw;
}

// Objects.requireNonNull(x); as a statement: x, or null.
const Expr* nullCheckOf(const Stmt& s) {
    if (s.kind != StmtKind::Expr || !s.declare.empty() || s.expr->kind != ExprKind::Invoke) return nullptr;
    const Expr& call = *s.expr;
    if (!call.isStatic || call.owner != "java/util/Objects" || call.name != "requireNonNull" ||
        call.descriptor != "(Ljava/lang/Object;)Ljava/lang/Object;" || call.args.size() != 1) return nullptr;
    return call.args[0].get();
}

ExprPtr enumConstant(const std::string& enumClass, const std::u16string& name) {
    std::string ascii;
    for (char16_t c : name) {
        if (c > 0x7f) return nullptr;
        ascii += static_cast<char>(c);
    }
    return makeEnumConstant(enumClass, ascii);
}

struct Site {
    Stmt* loop = nullptr;  // the restart loop; null when no guard needs one
    Stmt* sw = nullptr;
    const Var* copy = nullptr;   // the selector's temporary
    const Var* index = nullptr;  // the restart index
    const Expr* call = nullptr;
    std::string enumClass;       // enumSwitch: the selector's enum
    std::string selectorClass;   // of the value switched on
    bool nullChecked = false;    // Objects.requireNonNull before the copy
};

// What one case number stands for: a label of the call, or null (-1).
std::optional<size_t> labelIndex(const Site& site, int32_t key) {
    if (key < 0 || static_cast<size_t>(key) + 2 >= site.call->args.size()) return std::nullopt;
    return static_cast<size_t>(key) + 2;
}

// `index = key + 1; continue;`: the restart after a guard that failed.
bool isRestart(const StmtList& list, size_t at, const Site& site, int32_t key) {
    if (at + 2 != list.size()) return false;
    const Expr* next = assigned(*list[at], site.index);
    const Stmt& again = *list[at + 1];
    return next && next->kind == ExprKind::Literal && next->literal.tag == 'I' && next->literal.integer == int64_t(key) + 1 &&
           again.kind == StmtKind::Continue && again.target == site.loop->label;
}

// A pattern's guard at the head of its arm, in either shape javac's code
// takes: `if (!guard) { restart } rest` or `if (guard) { rest } restart`.
ExprPtr takeGuard(StmtList& body, const Site& site, int32_t key) {
    if (!site.loop || body.empty()) return nullptr;
    const Stmt& s = *body[0];
    if (s.kind != StmtKind::If || !s.elseBody.empty() || !s.declare.empty()) return nullptr;
    if (isRestart(s.body, 0, site, key)) {
        ExprPtr guard = negate(s.expr);
        body.erase(body.begin());
        return guard;
    }
    if (!s.body.empty() && isJump(*s.body.back()) && isRestart(body, 1, site, key)) {
        ExprPtr guard = s.expr;
        body = StmtList(s.body);
        return guard;
    }
    return nullptr;
}

// `(T) copy` casts to the class or array type `internalName` names.
bool castsTo(const Expr& cast, const std::string& internalName) {
    if (!internalName.empty() && internalName[0] == '[') return cast.type.descriptor() == internalName;
    return cast.type.dimensions == 0 && cast.type.base == 'L' && cast.type.className == internalName;
}

// `T v = (T) copy;` declaring v alone.
bool castOfCopy(const Stmt& s, const Site& site) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign || s.declare.size() != 1) return false;
    const Expr* value = assigned(s, s.declare[0].get());
    return value && value->kind == ExprKind::Cast && isRead(*value->args[0], site.copy);
}

void bindingsOf(const RecordPattern& pattern, std::vector<const RecordPattern::Part*>& out) {
    for (const RecordPattern::Part& part : pattern.parts) {
        if (part.nested) bindingsOf(*part.nested, out);
        else out.push_back(&part);
    }
}

// The stores of a record pattern's bindings just after its head, each
// declaring its binding there with the type the pattern gives it: taken out.
bool takeRecordBindings(StmtList& body, const RecordPattern& pattern) {
    std::vector<const RecordPattern::Part*> parts;
    bindingsOf(pattern, parts);
    if (body.size() < parts.size() + 1) return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Stmt& s = *body[i + 1];
        if (s.declare.size() != 1 || !assigned(s, s.declare[0].get())) return false;
        auto part = std::find_if(parts.begin(), parts.end(), [&](const RecordPattern::Part* p) {
            return p && p->binding == s.declare[0];
        });
        if (part == parts.end() || !sameType((*part)->binding->type, (*part)->type)) return false;
        *part = nullptr;
    }
    body.erase(body.begin() + 1, body.begin() + 1 + static_cast<long>(parts.size()));
    return true;
}

// One arm's labels from its case numbers; a pattern's binding and guard
// taken out of its statements. False when the arm has another shape.
// The arm's case labels as the source wrote them: null, constants, enum
// constants, and a null entry for each type pattern (`pattern` then set).
bool readLabels(const SwitchArm& arm, const Site& site, std::vector<ExprPtr>& labels, std::vector<int32_t>& keys,
                bool& pattern) {
    for (int32_t key : arm.keys) {
        if (key == -1) {
            // without the null check, null takes the -1 case; with it, never
            if (site.nullChecked) {
                if (!arm.isDefault) return false;
                continue;
            }
            labels.push_back(makeExpr(ExprKind::Null, javaLangObject()));
            keys.push_back(key);
            continue;
        }
        auto at = labelIndex(site, key);
        if (!at) return false;
        const Expr& label = *site.call->args[*at];
        keys.push_back(key);
        if (label.kind == ExprKind::ClassLiteral) {
            pattern = true;
            labels.push_back(nullptr);
        } else if (label.kind == ExprKind::Literal && label.literal.tag == 'S' && !site.enumClass.empty()) {
            auto constant = enumConstant(site.enumClass, label.literal.text);
            if (!constant) return false;
            labels.push_back(constant);
        } else if (label.kind == ExprKind::Literal) {
            labels.push_back(site.call->args[*at]);
        } else if (label.kind == ExprKind::Field) {
            // an enum constant: named simply only where the selector is of its type
            auto constant = std::make_shared<Expr>(label);
            if (site.selectorClass != label.owner) constant->op = "qualified";
            labels.push_back(constant);
        } else {
            return false;
        }
    }
    return true;
}

bool readArm(SwitchArm& arm, Site& site) {
    std::vector<ExprPtr> labels;
    std::vector<int32_t> keys;
    bool pattern = false;
    if (!readLabels(arm, site, labels, keys, pattern)) return false;
    // javac leaves out the last label when it is unconditional: the default
    // arm casts to its type, and the arm prints as that pattern
    const bool lastPattern = arm.isDefault && !pattern && keys.empty() && !arm.body.empty() &&
                             castOfCopy(*arm.body[0], site);
    if (pattern || lastPattern) {
        // one pattern per arm, its binding first
        if ((pattern && keys.size() != 1) || arm.body.empty()) return false;
        if (lastPattern) keys.push_back(static_cast<int32_t>(site.call->args.size() - 2));
        const Expr* type = pattern ? site.call->args[*labelIndex(site, keys[0])].get() : nullptr;
        Stmt& bind = *arm.body[0];
        if (bind.kind != StmtKind::Expr || bind.expr->kind != ExprKind::Assign || bind.declare.size() != 1) return false;
        const VarPtr var = bind.declare[0];
        const Expr* cast = assigned(bind, var.get());
        if (!cast || cast->kind != ExprKind::Cast || !isRead(*cast->args[0], site.copy)) return false;
        if (type && !castsTo(*cast, type->owner)) return false;
        if (cast->pattern && (lastPattern || !takeRecordBindings(arm.body, *cast->pattern))) return false;
        if (lastPattern) labels.push_back(nullptr);
        labels[0] = cast->pattern ? std::make_shared<Expr>(*cast) : makeLocal(var);
        arm.body.erase(arm.body.begin());
        if (cast->pattern && countReads(arm.body, var.get()) != 0) return false;
        arm.guard = takeGuard(arm.body, site, keys[0]);
    }
    arm.keys = std::move(keys);
    arm.labels = std::move(labels);
    return true;
}

// The loop's exits leave the switch instead: `break` where nothing nearer
// takes one, the label kept where something does.
void retargetExits(Stmt& sw, int label) {
    bool labelled = false;
    std::function<void(StmtList&, bool)> walk = [&](StmtList& list, bool nested) {
        for (const StmtPtr& s : list) {
            if (s->kind == StmtKind::Break && s->target == label) {
                s->explicitLabel = nested;
                labelled = labelled || nested;
            }
            const bool inner = nested || s->kind == StmtKind::Loop || s->kind == StmtKind::Switch;
            forEachChildList(*s, [&](StmtList& child) { walk(child, inner); });
        }
    };
    for (SwitchArm& arm : sw.arms) walk(arm.body, false);
    sw.label = label;
    sw.explicitLabel = labelled;
}

bool jumpsTo(StmtList& list, int label, StmtKind kind) {
    bool found = false;
    visitLists(list, [&](StmtList& l) {
        for (const StmtPtr& s : l) found = found || (s->kind == kind && s->target == label);
    });
    return found;
}

int armOrder(const SwitchArm& arm) {
    if (arm.isDefault) return INT_MAX;
    return arm.keys.empty() ? INT_MAX - 1 : *std::min_element(arm.keys.begin(), arm.keys.end());
}

// Source order is label order: javac numbered the labels as written.
bool sortArms(Stmt& sw) {
    auto before = [](const SwitchArm& a, const SwitchArm& b) { return armOrder(a) < armOrder(b); };
    if (std::is_sorted(sw.arms.begin(), sw.arms.end(), before)) return true;
    for (SwitchArm& arm : sw.arms) {
        if (!arm.body.empty() && isJump(*arm.body.back())) continue;
        // the last arm falls out of the switch: elsewhere it leaves it
        if (&arm != &sw.arms.back() || !sw.label) return false;
        auto leave = makeStmt(StmtKind::Break);
        leave->target = sw.label;
        arm.body.push_back(leave);
    }
    std::stable_sort(sw.arms.begin(), sw.arms.end(), before);
    return true;
}

// null, or null cast to pick the constructor
bool isNull(const Expr& e) {
    return e.kind == ExprKind::Null || (e.kind == ExprKind::Cast && e.args[0]->kind == ExprKind::Null);
}

// `throw new MatchException(null, null)`: what javac's pattern switch does
// with the values no case covers.
bool throwsRemainder(const StmtList& body) {
    if (body.size() != 1 || body[0]->kind != StmtKind::Throw || !body[0]->declare.empty() || !body[0]->expr) return false;
    const Expr& e = *body[0]->expr;
    return e.kind == ExprKind::New && e.owner == "java/lang/MatchException" &&
           e.descriptor == "(Ljava/lang/String;Ljava/lang/Throwable;)V" && e.args.size() == 2 &&
           isNull(*e.args[0]) && isNull(*e.args[1]);
}

// A switch with a pattern must cover every value, and javac adds that
// default itself: the source had none. (Were the cases not exhaustive,
// javac would reject the switch rather than run it differently.)
void dropRemainderDefault(Stmt& sw) {
    bool pattern = false;
    for (const SwitchArm& arm : sw.arms) {
        for (const ExprPtr& label : arm.labels) {
            pattern = pattern || label->kind == ExprKind::Local || (label->kind == ExprKind::Cast && label->pattern);
        }
    }
    auto remainder = std::find_if(sw.arms.begin(), sw.arms.end(), [](const SwitchArm& arm) {
        return arm.isDefault && arm.keys.empty() && throwsRemainder(arm.body);
    });
    if (!pattern || remainder == sw.arms.end()) return;
    sw.arms.erase(remainder);
    sw.exhaustive = true;
}

// list[at] is the switch or its restart loop; the copy and the index just before.
// The switch at `at` on a typeSwitch or enumSwitch call, with the copy of the
// selector and the restart index javac keeps before it: `first` is where the
// statements it folds start, `checkReads` the selector's reads by a null check.
bool readSite(StmtList& list, size_t at, Site& site, size_t& first, int& checkReads) {
    Stmt& head = *list[at];
    if (head.kind == StmtKind::Loop && head.loop == LoopKind::Infinite && head.body.size() == 1 &&
        head.body[0]->kind == StmtKind::Switch && head.label) {
        site.loop = &head;
        site.sw = head.body[0].get();
    } else if (head.kind == StmtKind::Switch) {
        site.sw = &head;
    } else {
        return false;
    }
    Stmt& sw = *site.sw;
    const Expr& call = *sw.expr;
    if (call.kind != ExprKind::Invoke || call.owner != Bootstraps || call.args.size() < 2 ||
        call.args[0]->kind != ExprKind::Local || call.args[1]->kind != ExprKind::Local || at < 2) return false;
    site.call = &call;
    site.copy = call.args[0]->var.get();
    site.index = call.args[1]->var.get();
    if (call.name == "enumSwitch") {
        site.enumClass = call.args[0]->type.className;
        if (call.args[0]->type.base != 'L' || site.enumClass.empty()) return false;
    }
    const Expr* start = assigned(*list[at - 1], site.index);
    const Expr* selector = assigned(*list[at - 2], site.copy);
    if (!start || start->kind != ExprKind::Literal || start->literal.tag != 'I' || start->literal.integer != 0 || !selector ||
        site.copy == site.index) return false;
    site.selectorClass = selector->type.dimensions == 0 ? selector->type.className : std::string();
    first = at - 2;
    checkReads = 0;
    if (first > 0) {
        if (const Expr* checked = nullCheckOf(*list[first - 1])) {
            if (samePure(*checked, *selector) || isRead(*checked, site.copy)) {
                site.nullChecked = true;
                checkReads = isRead(*checked, site.copy);
                --first;
            }
        }
    }
    return true;
}

bool recoverAt(StmtList& body, StmtList& list, size_t at) {
    Site site;
    size_t first = 0;
    int checkReads = 0;
    if (!readSite(list, at, site, first, checkReads)) return false;
    Stmt& sw = *site.sw;
    // inside the loop, leaving the switch would run it again
    for (SwitchArm& arm : sw.arms) {
        if (site.loop && sw.label && jumpsTo(arm.body, sw.label, StmtKind::Break)) return false;
    }
    // Work on a copy of the arms: a shape found wrong halfway leaves the switch as it was.
    std::vector<SwitchArm> arms = sw.arms;
    for (SwitchArm& arm : arms) arm.body = StmtList(arm.body);
    std::vector<SwitchArm> original = std::move(sw.arms);
    sw.arms = arms;
    auto undo = [&] {
        sw.arms = std::move(original);
        return false;
    };
    for (SwitchArm& arm : sw.arms) {
        if (!readArm(arm, site)) return undo();
    }
    // the bindings and restarts taken out, nothing else may read the two
    if (countReads(body, site.index) != 2 || countReads(body, site.copy) != 2 + checkReads) return undo();
    if (site.loop) {
        // a restart the arms still hold, or an arm running into the loop again
        for (SwitchArm& arm : sw.arms) {
            if (jumpsTo(arm.body, site.loop->label, StmtKind::Continue)) return undo();
        }
        if (sw.arms.empty() || sw.arms.back().body.empty() || !isJump(*sw.arms.back().body.back())) return undo();
    }
    if (!sortArms(sw)) return undo();
    dropRemainderDefault(sw);
    StmtPtr folded = site.loop ? site.loop->body[0] : list[at];
    if (site.loop) {
        retargetExits(sw, site.loop->label);
        sw.declare.insert(sw.declare.begin(), site.loop->declare.begin(), site.loop->declare.end());
    }
    sw.expr = std::const_pointer_cast<Expr>(list[at - 2]->expr->args[1]);
    list.erase(list.begin() + static_cast<long>(first), list.begin() + static_cast<long>(at) + 1);
    list.insert(list.begin() + static_cast<long>(first), folded);
    return true;
}

}  // namespace

void recoverPatternSwitches(StmtList& body) {
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (recoverAt(body, list, i)) i = 0;
        }
    });
}

}  // namespace jad::body
