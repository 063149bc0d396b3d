#include <gtest/gtest.h>

#include "decompiler/FallbackBodies.h"

using products::zefra::decompiler::findFallbackBodies;
using products::zefra::decompiler::owningDeclaration;

namespace {

// As the engine prints a method it could not decompile.
const char* const ENGINE_OUTPUT =
    "package p;\n"
    "\n"
    "public class A {\n"
    "    public int f() {\n"
    "        return 1;\n"
    "    }\n"
    "\n"
    "    public void g(int i) {\n"
    "        // Not decompiled: stack height differs where paths join at 12\n"
    "        //   0: iload_1\n"
    "        //   1: ifeq 12\n"
    "        throw new RuntimeException(\"not decompiled: stack height differs where paths join at 12\");\n"
    "    }\n"
    "\n"
    "    A() {\n"
    "        super();\n"
    "        // Not decompiled: unknown opcode 0xba\n"
    "        throw new RuntimeException(\"not decompiled: unknown opcode 0xba\");\n"
    "    }\n"
    "}\n";

TEST(FallbackBodies, FindsEachBodyWithItsLineAndReason) {
    const auto bodies = findFallbackBodies(ENGINE_OUTPUT);
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[0].line, 8);
    EXPECT_EQ(bodies[0].reason, "stack height differs where paths join at 12");
    EXPECT_EQ(bodies[1].line, 16);
    EXPECT_EQ(bodies[1].reason, "unknown opcode 0xba");
}

TEST(FallbackBodies, TheProgramsOwnCommentsAreNotTaken) {
    // The same words with code after them, or at the end of the text, or a
    // throw of another message: none is the engine's fallback.
    EXPECT_TRUE(findFallbackBodies("void f() {\n// Not decompiled: x\nint i = 0;\n"
                                   "throw new RuntimeException(\"not decompiled: x\");\n}\n")
                    .empty());
    EXPECT_TRUE(findFallbackBodies("// Not decompiled: x\n// listing").empty());
    EXPECT_TRUE(findFallbackBodies("// Not decompiled: x\nthrow new RuntimeException(\"other\");\n").empty());
    EXPECT_TRUE(findFallbackBodies("").empty());
    // Windows line ends still count.
    EXPECT_EQ(findFallbackBodies("// Not decompiled: y\r\nthrow new RuntimeException(\"not decompiled: y\");\r\n")
                  .size(),
              1u);
}

TEST(FallbackBodies, ABodyBelongsToTheLastDeclarationBeforeIt) {
    const std::vector<int> declarations{2, 3, 7, 14};
    EXPECT_EQ(owningDeclaration(declarations, 8), 2);
    EXPECT_EQ(owningDeclaration(declarations, 16), 3);
    EXPECT_EQ(owningDeclaration(declarations, 7), 2);
    EXPECT_EQ(owningDeclaration(declarations, 1), -1);
    EXPECT_EQ(owningDeclaration({}, 5), -1);
}

}
