#include "body/sugar/StringSwitch.h"

#include <map>
#include <optional>
#include <set>

#include "body/ir/Walk.h"

namespace jad::body {

namespace {

bool isLocal(const Expr& e, const Var* var) { return e.kind == ExprKind::Local && e.var.get() == var; }

// `var = value;` with an int literal value; the literal, or nothing.
std::optional<int64_t> intAssigned(const Stmt& s, const Var* var) {
    if (s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign || !isLocal(*s.expr->args[0], var)) return std::nullopt;
    const Expr& value = *s.expr->args[1];
    if (value.kind != ExprKind::Literal || value.literal.tag != 'I') return std::nullopt;
    return value.literal.integer;
}

// The parts of the pattern, and how often it names its two variables.
struct Pattern {
    const Var* text = nullptr;   // the temporary holding the string
    const Var* index = nullptr;  // the temporary case index
    int label = 0;               // of the switch on the hash code
    std::map<int64_t, std::u16string> literals;  // case index -> string
    int textRefs = 0;  // hashCode() and every equals()
};

// `text.equals("lit")`: the literal, or null.
const Expr* equalsLiteral(const Expr& cond, const Pattern& p) {
    if (cond.kind != ExprKind::Invoke || cond.isStatic || cond.name != "equals" ||
        cond.descriptor != "(Ljava/lang/Object;)Z" || cond.args.size() != 2 || !isLocal(*cond.args[0], p.text)) {
        return nullptr;
    }
    const Expr& arg = *cond.args[1];
    return arg.kind == ExprKind::Literal && arg.literal.tag == 'S' ? &arg : nullptr;
}

bool isIntZero(const Expr& e) { return e.kind == ExprKind::Literal && e.literal.tag == 'I' && e.literal.integer == 0; }

// A test as `call` or `!call`: before types are known, a boolean call may
// still be compared with 0.
const Expr* testedCall(const Expr& cond, bool& negated) {
    const Expr* e = &cond;
    negated = false;
    for (int guard = 0; guard < 4; ++guard) {
        if (e->kind == ExprKind::Unary && e->op == "!") {
            negated = !negated;
            e = e->args[0].get();
        } else if (e->kind == ExprKind::Binary && (e->op == "!=" || e->op == "==") && isIntZero(*e->args[1])) {
            negated = negated != (e->op == "==");
            e = e->args[0].get();
        } else {
            break;
        }
    }
    return e;
}

class ArmReader {
public:
    ArmReader(Pattern& p, const std::vector<int32_t>& keys) : _p(p), _keys(keys) {}

    // The arm's statements: equals tests that set the index, each maybe
    // leaving the switch, then perhaps a final break.
    bool list(const StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            const Stmt& s = *list[i];
            if (isExit(s)) return i + 1 == list.size();
            if (s.kind != StmtKind::If) return false;
            bool negated = false;
            const Expr& cond = *testedCall(*s.expr, negated);
            // `if (!text.equals("a")) break; index = 1;`
            if (negated && s.body.size() == 1 && isExit(*s.body[0]) && s.elseBody.empty() && i + 1 < list.size()) {
                const StmtList rest(list.begin() + static_cast<long>(i) + 1, list.end());
                return test(cond, rest, {});
            }
            if (!test(cond, negated ? s.elseBody : s.body, negated ? s.body : s.elseBody)) return false;
        }
        return true;
    }

    size_t found() const { return _found; }

private:
    bool isExit(const Stmt& s) const {
        return s.kind == StmtKind::Break && (!s.explicitLabel || s.target == _p.label);
    }

    // if (text.equals(lit)) { index = k; [break;] } else { <otherwise> }
    bool test(const Expr& cond, const StmtList& then, const StmtList& otherwise) {
        const Expr* literal = equalsLiteral(cond, _p);
        if (!literal || then.empty() || then.size() > 2 || (then.size() == 2 && !isExit(*then[1]))) return false;
        auto k = intAssigned(*then[0], _p.index);
        if (!k || !hashMatches(literal->literal.text)) return false;
        if (!_p.literals.emplace(*k, literal->literal.text).second) return false;
        ++_found;
        _p.textRefs += 1;
        return otherwise.empty() || list(otherwise);
    }

    bool hashMatches(const std::u16string& text) const {
        const int32_t hash = javaHashCode(text);
        for (int32_t key : _keys) {
            if (key == hash) return true;
        }
        return false;
    }

    Pattern& _p;
    const std::vector<int32_t>& _keys;
    size_t _found = 0;
};

// switch (text.hashCode()) { ... }: the arms set the index. Without cases
// (a lone default) only the call is left.
bool readHashSwitch(const Stmt& s, Pattern& p) {
    if ((s.kind != StmtKind::Switch && s.kind != StmtKind::Expr) || s.expr->kind != ExprKind::Invoke) return false;
    const Expr& call = *s.expr;
    if (call.isStatic || call.owner != "java/lang/String" || call.name != "hashCode" || call.descriptor != "()I" ||
        call.args.size() != 1 || call.args[0]->kind != ExprKind::Local) return false;
    p.text = call.args[0]->var.get();
    p.label = s.label;
    p.textRefs = 1;
    for (const SwitchArm& arm : s.arms) {
        ArmReader reader(p, arm.keys);
        if (!reader.list(arm.body)) return false;
        // unknown strings must keep the index -1
        if (arm.isDefault && reader.found() > 0) return false;
    }
    std::set<std::u16string> distinct;
    for (const auto& [k, text] : p.literals) {
        if (!distinct.insert(text).second) return false;
    }
    return true;
}

int countRefs(StmtList& body, const Var* var) {
    int refs = 0;
    visitAllExprs(body, [&](ExprPtr& e) { refs += isLocal(*e, var); });
    return refs;
}

// list[at] is the hash switch: index = -1 before it, the index switch after.
// Where the string switch now stands, or nothing.
std::optional<size_t> recoverAt(StmtList& body, StmtList& list, size_t at) {
    if (at == 0 || at + 1 >= list.size()) return std::nullopt;
    Pattern p;
    const Stmt& reset = *list[at - 1];
    if (reset.kind != StmtKind::Expr || reset.expr->kind != ExprKind::Assign || reset.expr->args[0]->kind != ExprKind::Local) {
        return std::nullopt;
    }
    p.index = reset.expr->args[0]->var.get();
    if (intAssigned(reset, p.index) != -1 || !readHashSwitch(*list[at], p) || p.index == p.text) return std::nullopt;
    Stmt& indexSwitch = *list[at + 1];
    if (indexSwitch.kind != StmtKind::Switch || !isLocal(*indexSwitch.expr, p.index)) return std::nullopt;
    for (const SwitchArm& arm : indexSwitch.arms) {
        for (int32_t key : arm.keys) {
            if (!p.literals.count(key)) return std::nullopt;
        }
    }
    // -1, every case index, the index switch: nothing else reads the index
    if (countRefs(body, p.index) != 2 + static_cast<int>(p.literals.size())) return std::nullopt;
    // The selector: what javac copied into the temporary, when the copy is
    // the temporary's only other mention; the variable itself otherwise.
    ExprPtr selector = list[at]->expr->args[0];
    size_t first = at - 1;
    if (at >= 2) {
        const Stmt& copy = *list[at - 2];
        if (copy.kind == StmtKind::Expr && copy.expr->kind == ExprKind::Assign && isLocal(*copy.expr->args[0], p.text) &&
            countRefs(body, p.text) == p.textRefs + 1) {
            selector = copy.expr->args[1];
            first = at - 2;
        }
    }
    for (SwitchArm& arm : indexSwitch.arms) {
        arm.labels.clear();
        for (int32_t key : arm.keys) {
            auto literal = makeExpr(ExprKind::Literal, objectType("java/lang/String"));
            literal->literal.tag = 'S';
            literal->literal.text = p.literals[key];
            arm.labels.push_back(literal);
        }
    }
    StmtPtr merged = list[at + 1];
    merged->expr = selector;
    // A label on the index switch stays; the hash switch's declarations
    // (none are made before declaration) go with it.
    list.erase(list.begin() + static_cast<long>(first), list.begin() + static_cast<long>(at) + 2);
    list.insert(list.begin() + static_cast<long>(first), merged);
    return first;
}

}  // namespace

int32_t javaHashCode(const std::u16string& text) {
    uint32_t hash = 0;
    for (char16_t c : text) hash = hash * 31u + c;
    return static_cast<int32_t>(hash);
}

void recoverStringSwitches(StmtList& body) {
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i]->kind != StmtKind::Switch && list[i]->kind != StmtKind::Expr) continue;
            if (auto at = recoverAt(body, list, i)) i = *at;
        }
    });
}

}  // namespace jad::body
