// Values computed and thrown away: only those whose evaluation cannot throw
// may vanish; a read that can fail must still be made, or an exception the
// program relies on is lost.
#include <gtest/gtest.h>

#include "BodyTestSupport.h"
#include "HandBuiltClass.h"
#include "classfile/AccessFlags.h"

namespace jad::test {
namespace {

std::string bodyText(const std::vector<uint8_t>& bytes) {
    const ClassFile owner = handBuiltOwner();
    Method m;
    m.access = access::Static;
    m.name = "m";
    m.descriptor = "(LA;[ILjava/lang/Object;I)V";
    Code code;
    code.maxStack = 4;
    code.maxLocals = 4;
    code.bytes = bytes;
    m.code = std::move(code);
    const SimpleNames names;
    PrintOptions options;
    options.checkInvariants = true;
    BodyRequest request{owner, m, names, options, {"a", "ints", "o", "d"}};
    std::string text;
    for (const std::string& line : decompileBody(request)) text += line + "\n";
    return text;
}

TEST(DroppedValues, ReadsThatCanThrowAreKept) {
    const std::string text = bodyText({
        0x2b, 0x03, 0x2e, 0x57,  // aload_1 iconst_0 iaload pop
        0x2a, 0xb4, 0, 6, 0x57,  // aload_0 getfield x pop
        0x2c, 0xc0, 0, 2, 0x57,  // aload_2 checkcast A pop
        0x2b, 0xbe, 0x57,        // aload_1 arraylength pop
        0x04, 0x1d, 0x6c, 0x57,  // iconst_1 iload_3 idiv pop
        0xb1,                    // return
    });
    expectDecompiled(text);
    expectPieces(text, {"ints[0];", "a.x;", "(A)o;", "ints.length;", "1 / d;"});
}

TEST(DroppedValues, ValuesThatCannotThrowGo) {
    const std::string text = bodyText({
        0x2a, 0x57,              // aload_0 pop
        0x1d, 0x04, 0x60, 0x57,  // iload_3 iconst_1 iadd pop
        0x2c, 0xc1, 0, 2, 0x57,  // aload_2 instanceof A pop
        0xb1,                    // return
    });
    expectDecompiled(text);
    EXPECT_EQ(text, "") << text;
}

}  // namespace
}  // namespace jad::test
