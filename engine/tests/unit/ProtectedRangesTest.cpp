// Widening protected ranges: only over instructions that cannot throw, so
// that the code means the same, and joined only where the gap is such code.
#include <gtest/gtest.h>

#include "body/decode/Instruction.h"
#include "body/decode/ProtectedRanges.h"

namespace jad::body {
namespace {

ConstantPool emptyPool() { return ConstantPool(std::vector<Constant>(1)); }

Code codeWith(std::vector<uint8_t> bytes, std::vector<ExceptionHandler> handlers) {
    Code code;
    code.maxStack = 4;
    code.maxLocals = 4;
    code.bytes = std::move(bytes);
    code.handlers = std::move(handlers);
    return code;
}

std::optional<Code> widened(const Code& code) {
    const DecodedCode d = decode(code, emptyPool());
    EXPECT_TRUE(d.ok()) << d.error;
    return widenProtectedRanges(code, d);
}

// 0: iload_1  1: iload_2  2: idiv  3: istore_3  4: iload_3  5: iload_2  6: idiv  7: istore_3
// 8: iload_3  9: ireturn  10: astore_1  11: aload_1  12: athrow
const std::vector<uint8_t> kTwoDivisions = {0x1b, 0x1c, 0x6c, 0x3e, 0x1d, 0x1c, 0x6c, 0x3e,
                                            0x1d, 0xac, 0x4c, 0x2b, 0xbf};

TEST(ProtectedRanges, TwoGuardedCallsWithQuietCodeBetweenBecomeOneRange) {
    const Code code = codeWith(kTwoDivisions, {{2, 3, 10, "java/lang/ArithmeticException"},
                                               {6, 7, 10, "java/lang/ArithmeticException"}});
    const std::optional<Code> w = widened(code);
    ASSERT_TRUE(w);
    ASSERT_EQ(w->handlers.size(), 1u);
    // Back over the loads, on over the stores and loads; the return stays out.
    EXPECT_EQ(w->handlers[0].startPc, 0u);
    EXPECT_EQ(w->handlers[0].endPc, 9u);
    EXPECT_EQ(w->handlers[0].handlerPc, 10u);
}

TEST(ProtectedRanges, NeverTakesInAnInstructionThatCanThrow) {
    // 0: iload_1 1: iload_2 2: idiv 3: iload_2 4: idiv 5: istore_3 ...: the
    // second division stays unguarded, so the ranges may not meet.
    const std::vector<uint8_t> b = {0x1b, 0x1c, 0x6c, 0x1c, 0x6c, 0x3e, 0x1d, 0xac, 0x4c, 0x2b, 0xbf};
    const Code code = codeWith(b, {{2, 3, 8, ""}, {5, 6, 8, ""}});
    const std::optional<Code> w = widened(code);
    ASSERT_TRUE(w);
    ASSERT_EQ(w->handlers.size(), 2u);
    EXPECT_EQ(w->handlers[0].startPc, 0u);
    EXPECT_EQ(w->handlers[0].endPc, 4u);  // up to, not over, the second idiv
    EXPECT_EQ(w->handlers[1].startPc, 5u);
    EXPECT_EQ(w->handlers[1].endPc, 7u);
}

TEST(ProtectedRanges, DifferentHandlersStaySeparateAndTightRangesAreLeftAlone) {
    const Code two = codeWith(kTwoDivisions, {{2, 3, 10, "java/lang/ArithmeticException"},
                                              {6, 7, 10, "java/lang/RuntimeException"}});
    const std::optional<Code> w = widened(two);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->handlers.size(), 2u);
    // Already as wide as it can be: nothing to retry with.
    const Code tight = codeWith(kTwoDivisions, {{0, 9, 10, ""}});
    EXPECT_FALSE(widened(tight));
}

}  // namespace
}  // namespace jad::body
