// The structurer's patterns: each Java construct comes back as itself.
#include "BodyTestSupport.h"

namespace jad::test {
namespace {

using Structuring = BodyTest;

TEST_F(Structuring, IfElseChainsAndShortCircuitConditions) {
    const std::string text = bodyOf(R"(class T { static String m(int x, boolean a, boolean b) {
        if (x < 0) return "neg"; else if (x == 0) return "zero";
        if (a && b || !a) x++; else x--;
        return "pos" + x; } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"if (p0 < 0)\n    return \"neg\";\n", "if (p0 == 0)\n    return \"zero\";\n",
                        "if (p1 && p2 || !p1)\n    p0++;\nelse\n    p0--;\n", "return \"pos\" + p0;"});
}

TEST_F(Structuring, LoopsComeBackAsWhileDoAndFor) {
    const std::string text = bodyOf(R"(class T { static int m(int n) {
        int s = 0;
        for (int i = 0; i < n; i++) { if (i == 3) continue; s += i; }
        while (s > 100) { s /= 2; if (s == 7) break; }
        do { s++; } while (s % 5 != 0);
        return s; } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"for (int i = 0; i < p0; i++) {", "if (i != 3)", "while (s > 100) {", "s /= 2;",
                        "if (s == 7)\n        break;", "do {\n    s++;\n} while (s % 5 != 0);", "return s;"});
}

TEST_F(Structuring, LabeledBreakAndContinueWhereNeeded) {
    const std::string text = bodyOf(R"(class T { static int m(int[][] g) {
        int found = 0;
        outer: for (int i = 0; i < g.length; i++) {
            for (int j = 0; j < g[i].length; j++) { if (g[i][j] < 0) continue outer; if (g[i][j] == 0) break outer; found++; }
        }
        return found; } })", "m");
    expectDecompiled(text);
    // `continue outer` from the inner loop's end is the inner loop's break
    expectPieces(text, {"label", ": for (int i = 0;", "break;", "break label", "found++;"});
}

TEST_F(Structuring, SwitchWithFallThroughAndDefaultInTheMiddle) {
    const std::string text = bodyOf(R"(class T { static int m(int k) {
        int r = 0;
        switch (k) { case 1: r = 10; case 2: r++; break; default: r = -1; break; case 7: case 8: r = 78; }
        return r; } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"switch (p0) {", "case 1:\n    r = 10;\ncase 2:\n    r++;\n    break;",
                        "default:\n    r = -1;\n    break;", "case 7:\ncase 8:\n    r = 78;", "return r;"});
}

TEST_F(Structuring, TryCatchAndSynchronized) {
    const std::string text = bodyOf(R"(class T { int count; int m(String s) {
        synchronized (this) { count++; }
        try { return Integer.parseInt(s); } catch (NumberFormatException e) { return -1; } } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"synchronized (this) {\n    count++;\n}", "try {", "Integer.parseInt(p0);",
                        "} catch (NumberFormatException e) {\n    return -1;\n}"});
    EXPECT_EQ(text.find("monitor"), std::string::npos) << text;
}

TEST_F(Structuring, ConditionalExpressionsNestAndCarryBooleans) {
    const std::string text = bodyOf(R"(class T { static boolean m(int x, boolean f) {
        int v = x > 5 ? (x > 10 ? 2 : 1) : 0;
        boolean b = x > 0 && f;
        return b || v == 2; } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"int v = p0 <= 5 ? 0 : p0 <= 10 ? 1 : 2;", "boolean b = p0 > 0 && p1;", "return b || v == 2;"});
}

}  // namespace
}  // namespace jad::test
