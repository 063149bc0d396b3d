// The checks between passes catch a broken tree instead of printing it.
#include <gtest/gtest.h>

#include "body/Invariants.h"

namespace jad::body {
namespace {

struct ChecksOn {
    ChecksOn() { enableInvariantChecks(true); }
    ~ChecksOn() { enableInvariantChecks(false); }
};

TEST(BodyInvariants, JumpsMustNameAnEnclosingLabel) {
    ChecksOn on;
    auto loop = makeStmt(StmtKind::Loop);
    loop->label = 1;
    auto jump = makeStmt(StmtKind::Break);
    jump->target = 1;
    loop->body = {jump};
    EXPECT_NO_THROW(checkTree({loop}, "test"));
    jump->target = 2;
    EXPECT_THROW(checkTree({loop}, "test"), Unsupported);
    EXPECT_THROW(checkTree({jump}, "test"), Unsupported);
}

TEST(BodyInvariants, NoUninitializedObjectOrMissingOperand) {
    ChecksOn on;
    auto call = makeExpr(ExprKind::Invoke, primitive('V'));
    call->args = {makeExpr(ExprKind::Uninitialized, objectType("A"))};
    EXPECT_THROW(checkTree({makeStmt(StmtKind::Expr, call)}, "test"), Unsupported);
    call->args = {nullptr};
    EXPECT_THROW(checkTree({makeStmt(StmtKind::Expr, call)}, "test"), Unsupported);
    EXPECT_THROW(checkTree({makeStmt(StmtKind::If)}, "test"), Unsupported);
}

TEST(BodyInvariants, BlocksNeedTheirConditionAndLiveSuccessors) {
    ChecksOn on;
    Cfg cfg;
    cfg.blocks.resize(2);
    cfg.blocks[0].exit = BlockExit::Cond;
    cfg.blocks[0].succ = {1, 1};
    EXPECT_THROW(checkBlocks(cfg, "test"), Unsupported);
    cfg.blocks[0].cond = makeIntLiteral(1);
    EXPECT_NO_THROW(checkBlocks(cfg, "test"));
    cfg.blocks[1].removed = true;
    EXPECT_THROW(checkBlocks(cfg, "test"), Unsupported);
}

}  // namespace
}  // namespace jad::body
