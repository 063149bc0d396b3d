// Null checks of method-reference receivers before a constructor call: they
// move into the references only where nothing observable runs in between.
#include <gtest/gtest.h>

#include "body/synthetic/ReceiverChecks.h"

namespace jad::body {

namespace {

VarPtr param(const std::string& name, int slot) {
    auto v = std::make_shared<Var>();
    v->kind = VarKind::Parameter;
    v->slot = slot;
    v->name = name;
    v->type = objectType("java/lang/String");
    return v;
}

StmtPtr check(const VarPtr& v, bool getClass) {
    auto call = makeExpr(ExprKind::Invoke, objectType(getClass ? "java/lang/Class" : "java/lang/Object"));
    call->name = getClass ? "getClass" : "requireNonNull";
    call->owner = getClass ? "java/lang/Object" : "java/util/Objects";
    call->isStatic = !getClass;
    call->descriptor = getClass ? "()Ljava/lang/Class;" : "(Ljava/lang/Object;)Ljava/lang/Object;";
    call->args = {makeLocal(v)};
    return makeStmt(StmtKind::Expr, call);
}

ExprPtr reference(const VarPtr& receiver) {
    auto e = makeExpr(ExprKind::Lambda, objectType("java/util/function/Supplier"));
    e->owner = "java/util/function/Supplier";
    e->lambda = std::make_shared<LambdaSite>();
    e->lambda->samName = "get";
    e->lambda->samDescriptor = "()Ljava/lang/Object;";
    e->lambda->implKind = 5;
    e->lambda->implOwner = "java/lang/String";
    e->lambda->implName = "trim";
    e->lambda->implDescriptor = "()Ljava/lang/String;";
    e->args = {makeLocal(receiver)};
    return e;
}

StmtPtr superCall(std::vector<ExprPtr> args) {
    auto call = makeExpr(ExprKind::Invoke, primitive('V'));
    call->name = "<init>";
    call->owner = "Base";
    call->invoke = InvokeKind::Special;
    call->args.push_back(makeExpr(ExprKind::This, objectType("T")));
    for (ExprPtr& a : args) call->args.push_back(a);
    return makeStmt(StmtKind::Expr, call);
}

const std::string& checkOf(const StmtPtr& call, size_t arg) { return call->expr->args[arg]->lambda->receiverCheck; }

auto noneStay = [](const Stmt&) { return false; };

}  // namespace

TEST(ReceiverChecks, ChecksMoveIntoTheReferencesTheyBelongTo) {
    VarPtr a = param("a", 1), b = param("b", 2), other = param("other", 3);
    // javac 8 checks with getClass, later ones with Objects.requireNonNull
    StmtList body{check(a, true), check(b, false), superCall({makeLocal(other), reference(a), reference(b)})};
    foldReceiverChecksIntoConstructorCall(body, noneStay);
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(checkOf(body[0], 2), "getClass");
    EXPECT_EQ(checkOf(body[0], 3), "requireNonNull");
}

TEST(ReceiverChecks, StaysWhereAnEffectRunsBeforeTheReference) {
    VarPtr a = param("a", 1);
    auto effect = makeExpr(ExprKind::Invoke, objectType("java/lang/String"));
    effect->name = "next";
    effect->owner = "T";
    effect->isStatic = true;
    effect->descriptor = "()Ljava/lang/String;";
    StmtList body{check(a, false), superCall({effect, reference(a)})};
    foldReceiverChecksIntoConstructorCall(body, noneStay);
    EXPECT_EQ(body.size(), 2u);
    EXPECT_TRUE(checkOf(body[1], 2).empty());
}

TEST(ReceiverChecks, StaysWhenTheCheckedValueIsNotAReceiver) {
    VarPtr a = param("a", 1), b = param("b", 2);
    StmtList body{check(b, false), superCall({reference(a)})};
    foldReceiverChecksIntoConstructorCall(body, noneStay);
    EXPECT_EQ(body.size(), 2u);
    // nor does anything move when another statement comes before the call
    StmtList mixed{check(a, false), makeStmt(StmtKind::Expr, makeLocal(b)), superCall({reference(a)})};
    foldReceiverChecksIntoConstructorCall(mixed, noneStay);
    EXPECT_EQ(mixed.size(), 3u);
}

TEST(ReceiverChecks, AReferenceStoredAsideReturnsIntoTheCall) {
    VarPtr a = param("a", 1);
    auto temp = std::make_shared<Var>();
    temp->kind = VarKind::Temp;
    temp->type = objectType("java/util/function/Supplier");
    auto store = makeExpr(ExprKind::Assign, temp->type);
    store->args = {makeLocal(temp), reference(a)};
    StmtList body{check(a, false), makeStmt(StmtKind::Expr, store), check(a, false),
                  superCall({makeLocal(temp), reference(a)})};
    foldReceiverChecksIntoConstructorCall(body, noneStay);
    ASSERT_EQ(body.size(), 1u);
    ASSERT_EQ(body[0]->expr->args[1]->kind, ExprKind::Lambda);
    EXPECT_EQ(checkOf(body[0], 1), "requireNonNull");
    EXPECT_EQ(checkOf(body[0], 2), "requireNonNull");
}

}  // namespace jad::body
