// The checks between passes catch a broken tree instead of printing it.
#include <gtest/gtest.h>

#include "body/flow/Invariants.h"

namespace jad::body {
namespace {

TEST(BodyInvariants, JumpsMustNameAnEnclosingLabel) {
    auto loop = makeStmt(StmtKind::Loop);
    loop->label = 1;
    auto jump = makeStmt(StmtKind::Break);
    jump->target = 1;
    loop->body = {jump};
    EXPECT_EQ(checkTree({loop}), std::nullopt);
    jump->target = 2;
    EXPECT_EQ(checkTree({loop}), "jump to a label that does not enclose it");
    EXPECT_TRUE(checkTree({jump}).has_value());
    auto twice = makeStmt(StmtKind::Loop);
    twice->label = 1;
    jump->target = 1;
    EXPECT_EQ(checkTree({loop, twice}), "label used twice");
}

TEST(BodyInvariants, NoUninitializedObjectOrMissingOperand) {
    auto call = makeExpr(ExprKind::Invoke, primitive('V'));
    call->args = {makeExpr(ExprKind::Uninitialized, objectType("A"))};
    EXPECT_TRUE(checkTree({makeStmt(StmtKind::Expr, call)}).has_value());
    call->args = {nullptr};
    EXPECT_EQ(checkTree({makeStmt(StmtKind::Expr, call)}), "missing operand");
    EXPECT_EQ(checkTree({makeStmt(StmtKind::If)}), "statement without its expression");
}

TEST(BodyInvariants, BlocksNeedTheirConditionAndLiveSuccessors) {
    Cfg cfg;
    cfg.blocks.resize(2);
    cfg.blocks[0].exit = BlockExit::Cond;
    cfg.blocks[0].succ = {1, 1};
    EXPECT_EQ(checkBlocks(cfg), "branch without a condition");
    cfg.blocks[0].cond = makeIntLiteral(1);
    EXPECT_EQ(checkBlocks(cfg), std::nullopt);
    cfg.blocks[1].removed = true;
    EXPECT_EQ(checkBlocks(cfg), "edge to a removed block");
}

}  // namespace
}  // namespace jad::body
