// The modern dialect's instanceof patterns: the store after a test folds
// into the test only where the pattern variable's scope is the local's.
#include <gtest/gtest.h>

#include "body/sugar/InstanceOfPatterns.h"

namespace jad::body {

namespace {

VarPtr local(const std::string& name, const std::string& type, int slot) {
    auto v = std::make_shared<Var>();
    v->kind = VarKind::Local;
    v->slot = slot;
    v->name = name;
    v->type = objectType(type);
    return v;
}

ExprPtr test(const VarPtr& tested, const std::string& type) {
    auto e = makeExpr(ExprKind::InstanceOf, booleanType());
    e->args = {makeLocal(tested)};
    e->owner = type;
    return e;
}

// `bound = (type) from`, declaring `bound`.
StmtPtr matchStore(const VarPtr& bound, const VarPtr& from, const std::string& type) {
    auto e = makeExpr(ExprKind::Assign, bound->type);
    e->args = {makeLocal(bound), makeCast(objectType(type), makeLocal(from))};
    auto s = makeStmt(StmtKind::Expr, e);
    s->declare = {bound};
    return s;
}

StmtPtr use(const VarPtr& v) {
    auto call = makeExpr(ExprKind::Invoke, primitive('I'));
    call->owner = "java/lang/String";
    call->name = "length";
    call->descriptor = "()I";
    call->args = {makeLocal(v)};
    return makeStmt(StmtKind::Expr, call);
}

StmtPtr guarded(ExprPtr condition, StmtList body) {
    auto s = makeStmt(StmtKind::If, std::move(condition));
    s->body = std::move(body);
    return s;
}

class InstanceOfPatternsTest : public ::testing::Test {
protected:
    VarPtr o = local("o", "java/lang/Object", 0);
    VarPtr s = local("s", "java/lang/String", 1);
};

TEST_F(InstanceOfPatternsTest, StoreFirstInTheGuardedBranchBecomesThePattern) {
    auto cond = makeBinary("&&", test(o, "java/lang/String"), makeLocal(o), booleanType());
    StmtList body{guarded(cond, {matchStore(s, o, "java/lang/String"), use(s)})};
    foldInstanceOfPatterns(body);
    ASSERT_EQ(body[0]->body.size(), 1u);
    EXPECT_EQ(body[0]->expr->args[0]->var, s);
}

TEST_F(InstanceOfPatternsTest, NegatedTestThatLeavesBindsForTheStatementsAfter) {
    StmtList body{guarded(makeUnary("!", test(o, "java/lang/String"), booleanType()), {makeStmt(StmtKind::Return)}),
                  matchStore(s, o, "java/lang/String"), use(s)};
    foldInstanceOfPatterns(body);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0]->expr->args[0]->var, s);
}

TEST_F(InstanceOfPatternsTest, NegatedTestWhoseBranchCompletesKeepsTheStore) {
    StmtList body{guarded(makeUnary("!", test(o, "java/lang/String"), booleanType()), {use(o)}),
                  matchStore(s, o, "java/lang/String"), use(s)};
    foldInstanceOfPatterns(body);
    EXPECT_EQ(body.size(), 3u);
    EXPECT_FALSE(body[0]->expr->args[0]->var);
}

TEST_F(InstanceOfPatternsTest, ShapesThatAreNotAMatchStoreStayAsTheyAre) {
    const VarPtr chars = local("cs", "java/lang/CharSequence", 2);
    const VarPtr text = local("t", "java/lang/String", 3);
    // a wider variable than the pattern type
    StmtList wider{guarded(test(o, "java/lang/String"), {matchStore(chars, o, "java/lang/String")})};
    // the variable declared elsewhere: its scope is not the branch
    auto undeclared = matchStore(s, o, "java/lang/String");
    undeclared->declare.clear();
    StmtList elsewhere{guarded(test(o, "java/lang/String"), {undeclared})};
    // a test of a value already of the type
    StmtList same{guarded(test(text, "java/lang/String"), {matchStore(s, text, "java/lang/String")})};
    // a later conjunct writes the tested local before the store reads it
    auto write = makeExpr(ExprKind::Assign, javaLangObject());
    write->args = {makeLocal(o), makeExpr(ExprKind::Null, javaLangObject())};
    auto written = makeBinary("&&", test(o, "java/lang/String"),
                              makeBinary("==", write, makeExpr(ExprKind::Null, javaLangObject()), booleanType()),
                              booleanType());
    StmtList rewritten{guarded(written, {matchStore(s, o, "java/lang/String")})};
    // a test that holds only on one side of `||`
    auto either = makeBinary("||", test(o, "java/lang/String"), makeLocal(o), booleanType());
    StmtList disjunct{guarded(either, {matchStore(s, o, "java/lang/String")})};
    for (StmtList* body : {&wider, &elsewhere, &same, &rewritten, &disjunct}) {
        foldInstanceOfPatterns(*body);
        EXPECT_EQ((*body)[0]->body.size(), 1u);
    }
}

// `r = (P) o` standing for `P(int x)`, then `x = r.x()`: the record pattern
// goes into the test with its statements; a head whose binding store is
// missing stays, never a type pattern; a branch that starts with no store
// at all (a bare `return;`) is looked at safely.
TEST_F(InstanceOfPatternsTest, RecordPatternHeadAndItsBindingsFoldOrStayWhole) {
    const VarPtr r = local("r", "P", 2);
    auto x = std::make_shared<Var>();
    x->kind = VarKind::Local;
    x->name = "x";
    x->type = primitive('I');
    auto pattern = std::make_shared<RecordPattern>();
    pattern->recordClass = "P";
    pattern->parts.push_back({x, false, primitive('I'), nullptr});
    auto head = [&] {
        StmtPtr store = matchStore(r, o, "P");
        store->expr->args[1]->pattern = pattern;
        return store;
    };
    auto call = makeExpr(ExprKind::Invoke, primitive('I'));
    call->owner = "P";
    call->name = "x";
    call->descriptor = "()I";
    call->args = {makeLocal(r)};
    auto bindExpr = makeExpr(ExprKind::Assign, primitive('I'));
    bindExpr->args = {makeLocal(x), call};
    auto bind = makeStmt(StmtKind::Expr, bindExpr);
    bind->declare = {x};

    StmtList whole{guarded(test(o, "P"), {head(), bind, use(s)})};
    foldInstanceOfPatterns(whole);
    ASSERT_EQ(whole[0]->body.size(), 1u);
    EXPECT_EQ(whole[0]->expr->pattern, pattern);
    EXPECT_FALSE(whole[0]->expr->var);

    StmtList headOnly{guarded(test(o, "P"), {head(), use(s)})};
    foldInstanceOfPatterns(headOnly);
    EXPECT_EQ(headOnly[0]->body.size(), 2u);
    EXPECT_FALSE(headOnly[0]->expr->pattern);
    EXPECT_FALSE(headOnly[0]->expr->var);

    StmtList bare{guarded(test(o, "P"), {makeStmt(StmtKind::Return)}), makeStmt(StmtKind::Return)};
    foldInstanceOfPatterns(bare);
    EXPECT_EQ(bare.size(), 2u);
}

}  // namespace

}  // namespace jad::body
