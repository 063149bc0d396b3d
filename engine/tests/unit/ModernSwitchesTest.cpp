// With -m, switch expressions come back from the temporary javac's arms
// leave their value in; code that only looks like one stays as it is.
#include "BodyTestSupport.h"

namespace jad::test {
namespace {

class ModernSwitches : public BodyTest {
protected:
    std::string modernBody(const std::string& source, const std::string& method, const std::string& javac) {
        options.modern = true;
        return bodyOf(source, method, javac);
    }
};

TEST_F(ModernSwitches, ArrowCasesBlocksThrowsAndNestedSwitchExpressions) {
    const char* source = R"(class T { static int m(int k, int j) {
        int v = switch (k) {
            case 1, 2 -> 10;
            case 3 -> { int t = k * 3; yield t + 1; }
            case 4 -> switch (j) { case 0 -> 7; default -> 8; };
            case 5 -> throw new IllegalStateException();
            default -> -k;
        };
        return v; } })";
    for (const char* javac : {"--release 17 -g", "--release 17"}) {
        SCOPED_TRACE(javac);
        const std::string text = modernBody(source, "m", javac);
        expectDecompiled(text);
        expectPieces(text, {" = switch (p0) {\n", "    case 1, 2 -> 10;\n", "    case 3 -> {\n", "        yield ",
                            "    case 4 -> switch (p1) {\n", "        case 0 -> 7;\n", "        default -> 8;\n", "    };\n",
                            "    case 5 -> throw new IllegalStateException();\n", "    default -> -p0;\n", "};\n"});
        EXPECT_EQ(text.find("break"), std::string::npos) << text;
    }
}

TEST_F(ModernSwitches, FallThroughKeepsLabelsWithYield) {
    const std::string text = modernBody(R"(class T { static int m(int k) {
        int x = 1;
        return switch (k) {
            case 1: x += 10;
            case 2: x *= 3; yield x;
            default: yield -1;
        }; } })", "m", "--release 17 -g");
    expectDecompiled(text);
    expectPieces(text, {"return switch (p0) {\n", "    case 1:\n", "        x += 10;\n", "    case 2:\n", "        x *= 3;\n",
                        "        yield x;\n", "    default:\n", "        yield -1;\n", "};\n"});
}

TEST_F(ModernSwitches, AValueReadBeforeTheSwitchStaysBeforeIt) {
    // n is read before the arms change it: javac spills it, and the spill
    // must stay ahead of the switch
    const std::string text = modernBody(R"(class T { static int n;
        static int m(int k) {
            return n + switch (k) { case 1 -> { n += 5; yield 1; } default -> 0; }; } })", "m", "--release 17");
    expectDecompiled(text);
    const size_t read = text.find(" = n;");
    ASSERT_NE(read, std::string::npos) << text;
    EXPECT_LT(read, text.find("switch")) << text;
    EXPECT_EQ(text.find("n + switch"), std::string::npos) << text;
}

TEST_F(ModernSwitches, SwitchStatementsAssigningASourceLocalStayStatements) {
    const std::string text = modernBody(R"(class T { static int m(int k) {
        int t;
        switch (k) { case 1: t = 5; break; default: t = 6; }
        return t; } })", "m", "--release 17 -g");
    expectDecompiled(text);
    expectPieces(text, {"switch (p0) {\n", "case 1:\n", "    t = 5;\n", "    break;\n", "default:\n", "    t = 6;\n", "return t;"});
    EXPECT_EQ(text.find("yield"), std::string::npos) << text;
}

TEST_F(ModernSwitches, ALocalOfOneLabelReusedByTheNextIsDeclaredInEachArm) {
    // arrow cases give each arm a scope of its own: the second use needs
    // its own declaration
    const std::string text = modernBody(R"(class T { static String m(int k, String s) {
        return switch (k) {
            case 1: String a = s + "1"; yield a;
            case 2: a = s.trim(); yield a;
            default: yield "d";
        }; } })", "m", "--release 17 -g");
    expectDecompiled(text);
    expectPieces(text, {"return switch (p0) {\n", "    case 1 -> {\n", "        String a = ", "        yield a;\n",
                        "    case 2 -> {\n", "        String ", " = p1.trim();\n", "        yield "});
}

TEST_F(ModernSwitches, TheClassicDialectKeepsTheLoweredForm) {
    const std::string text = bodyOf(R"(class T { static int m(int k) {
        return switch (k) { case 1 -> 10; default -> 20; }; } })", "m", "--release 17");
    expectDecompiled(text);
    EXPECT_EQ(text.find("yield"), std::string::npos) << text;
    EXPECT_EQ(text.find("->"), std::string::npos) << text;
    expectPieces(text, {"switch (p0) {\n", "case 1:\n", "break;\n", "default:\n"});
}

}  // namespace
}  // namespace jad::test
