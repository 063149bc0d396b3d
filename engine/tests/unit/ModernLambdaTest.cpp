// The modern dialect's preparation of lambdas: javac's receiver checks move
// into the references they guard, and each lambda learns what types it
// where it stands, which decides whether its printed form needs a cast.
#include <gtest/gtest.h>

#include "body/printer/ModernLambda.h"

namespace jad::body {

namespace {

VarPtr local(const std::string& name, const std::string& type) {
    auto v = std::make_shared<Var>();
    v->kind = VarKind::Local;
    v->slot = 1;
    v->name = name;
    v->type = objectType(type);
    return v;
}

StmtPtr requireNonNull(const VarPtr& v) {
    auto call = makeExpr(ExprKind::Invoke, objectType("java/lang/Object"));
    call->name = "requireNonNull";
    call->owner = "java/util/Objects";
    call->isStatic = true;
    call->descriptor = "(Ljava/lang/Object;)Ljava/lang/Object;";
    call->args = {makeLocal(v)};
    return makeStmt(StmtKind::Expr, call);
}

ExprPtr lambda(const std::string& iface, std::vector<ExprPtr> captured, int kind = 5) {
    auto e = makeExpr(ExprKind::Lambda, objectType(iface));
    e->owner = iface;
    e->lambda = std::make_shared<LambdaSite>();
    e->lambda->samName = "get";
    e->lambda->samDescriptor = "()Ljava/lang/Object;";
    e->lambda->implKind = kind;
    e->lambda->implOwner = "java/lang/String";
    e->lambda->implName = "trim";
    e->lambda->implDescriptor = "()Ljava/lang/String;";
    e->args = std::move(captured);
    return e;
}

StmtPtr store(const VarPtr& target, const ExprPtr& value) {
    auto e = makeExpr(ExprKind::Assign, target->type);
    e->args = {makeLocal(target), value};
    return makeStmt(StmtKind::Expr, e);
}

ExprPtr staticCall(const std::string& descriptor, std::vector<ExprPtr> args) {
    auto call = makeExpr(ExprKind::Invoke, primitive('V'));
    call->name = "take";
    call->owner = "T";
    call->isStatic = true;
    call->descriptor = descriptor;
    call->args = std::move(args);
    return call;
}

const char* kSupplier = "java/util/function/Supplier";

}  // namespace

TEST(ModernLambda, ReceiverCheckMovesIntoTheReferenceAfterIt) {
    VarPtr s = local("s", "java/lang/String"), other = local("other", "java/lang/String");
    VarPtr f = local("f", kSupplier);
    StmtList body{requireNonNull(s), store(f, lambda(kSupplier, {makeLocal(s)}))};
    foldReceiverChecks(body);
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(body[0]->expr->args[1]->lambda->receiverCheck, "requireNonNull");
    // a check of another value, or a lambda on `this`, is left alone
    StmtList apart{requireNonNull(other), store(f, lambda(kSupplier, {makeLocal(s)}))};
    foldReceiverChecks(apart);
    EXPECT_EQ(apart.size(), 2u);
    EXPECT_TRUE(apart[1]->expr->args[1]->lambda->receiverCheck.empty());
}

TEST(ModernLambda, PlacesTellWhatTypesTheLambda) {
    VarPtr f = local("f", kSupplier), o = local("o", "java/lang/Object");
    ExprPtr stored = lambda(kSupplier, {}), untyped = lambda(kSupplier, {});
    ExprPtr argument = lambda(kSupplier, {}), generic = lambda(kSupplier, {});
    auto returned = makeStmt(StmtKind::Return, lambda(kSupplier, {}));
    StmtList body{store(f, stored), store(o, untyped),
                  makeStmt(StmtKind::Expr, staticCall("(Ljava/util/function/Supplier;)V", {argument})),
                  // a parameter typed by a type variable (List.add(E)) says nothing
                  makeStmt(StmtKind::Expr, staticCall("(Ljava/lang/Object;)V", {generic})), returned};
    const JavaType result = objectType(kSupplier);
    placeLambdas(body, &result, true, "T");
    EXPECT_EQ(stored->lambda->place, LambdaSite::Place::Typed);
    EXPECT_EQ(untyped->lambda->place, LambdaSite::Place::Other);
    EXPECT_EQ(argument->lambda->place, LambdaSite::Place::Argument);
    EXPECT_EQ(argument->lambda->callDescriptor, "(Ljava/util/function/Supplier;)V");
    EXPECT_EQ(generic->lambda->place, LambdaSite::Place::Other);
    EXPECT_EQ(returned->expr->lambda->place, LambdaSite::Place::Declared);
    // inside a lambda's body the returned type is not the declared one
    auto inner = makeStmt(StmtKind::Return, lambda(kSupplier, {}));
    StmtList lambdaBody{inner};
    placeLambdas(lambdaBody, &result, false, "T");
    EXPECT_EQ(inner->expr->lambda->place, LambdaSite::Place::Typed);
}

TEST(ModernLambda, JavacsCastsAfterAnIntersectionCastGo) {
    VarPtr o = local("o", "java/lang/Object");
    ExprPtr l = lambda("java/lang/Runnable", {});
    l->lambda->serializable = true;
    auto toSerializable = makeExpr(ExprKind::Cast, objectType("java/io/Serializable"));
    toSerializable->args = {l};
    auto toRunnable = makeExpr(ExprKind::Cast, objectType("java/lang/Runnable"));
    toRunnable->args = {toSerializable};
    auto toString = makeExpr(ExprKind::Cast, objectType("java/lang/String"));
    toString->args = {lambda("java/lang/Runnable", {})};
    StmtList body{store(o, toRunnable), store(o, toString)};
    placeLambdas(body, nullptr, false, "T");
    EXPECT_EQ(body[0]->expr->args[1], l);
    EXPECT_EQ(body[1]->expr->args[1]->kind, ExprKind::Cast);
}

}  // namespace jad::body
