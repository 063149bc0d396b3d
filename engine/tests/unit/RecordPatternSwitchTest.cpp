// With -m, record patterns in switch cases and in instanceof come back from
// javac's accessor chains, flat, nested and (in switches) in the merged form
// javac makes of consecutive cases of one record; a chain read only in part
// keeps the method as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "JavaTestSupport.h"

namespace jad::test {
namespace {

namespace fs = std::filesystem;

// A javac that compiles for release 21: the one on the PATH or one under /usr/lib/jvm.
std::string javac21(const fs::path& dir) {
    std::vector<std::string> candidates{"javac"};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/jvm", error)) {
        candidates.push_back((entry.path() / "bin" / "javac").string());
    }
    for (const std::string& javac : candidates) {
        if (runCommand(javac + " --release 21 -version", dir).status == 0) return javac;
    }
    return std::string();
}

class RecordPatternSwitch : public ::testing::Test {
protected:
    // The decompiled text of class T, or empty (and the test skipped) without a javac for 21.
    std::string decompile(const std::string& source) {
        const std::string javac = javac21(dir.path());
        if (javac.empty()) return std::string();
        writeText(dir.path() / "src" / "T.java", source);
        auto compiled = runCommand(javac + " --release 21 -nowarn -d classes src/T.java", dir.path());
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        auto result = runJad({"-m", "-p", "classes/T.class"}, dir.path());
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    void expectPieces(const std::string& text, const std::vector<std::string>& pieces) {
        size_t at = 0;
        for (const auto& piece : pieces) {
            const size_t found = text.find(piece, at);
            ASSERT_NE(found, std::string::npos) << "missing (in order): " << piece << "\n--- in ---\n" << text;
            at = found + piece.size();
        }
    }

    TempDir dir;
};

TEST_F(RecordPatternSwitch, FlatNestedAndMergedCasesPrintTheirPatterns) {
    const std::string text = decompile(R"(class T {
        record P(int x, int y) {}
        record L(P a, P b) {}
        record B(Object o) {}
        static String f(Object o) {
            return switch (o) {
                case P(int x, int y) when x == y -> "d" + x;
                case P(int x, int y) -> "p" + x + y;
                case L(P(var a, var b), P q) -> "l" + a + b + q;
                case B(String s) -> s;
                case B(CharSequence c) -> "c" + c;
                default -> "o";
            };
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    EXPECT_EQ(text.find("Not decompiled"), std::string::npos) << text;
    expectPieces(text, {"case P(int ", ", int ", ") when ", "case P(int ", "case L(P(int ", ", int ", "), P ",
                        "case B(String ", "case B(CharSequence ", "default -> "});
    // nothing of the lowering is left
    EXPECT_EQ(text.find(".x()"), std::string::npos) << text;
    EXPECT_EQ(text.find("MatchException(ex"), std::string::npos) << text;
}

TEST_F(RecordPatternSwitch, BindingsTakeNamesApartFromTheSwitchExpressionsVariable) {
    const std::string text = decompile(R"(class T {
        record P(int x, int y) {}
        static int f(Object o) {
            int r = switch (o) { case P(int x, int y) -> x * y; default -> 0; };
            return r + 1;
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    const size_t declared = text.find("int ");
    ASSERT_NE(declared, std::string::npos) << text;
    const size_t name = declared + 4;
    const std::string outer = text.substr(name, text.find(' ', name) - name);
    EXPECT_EQ(text.find("P(int " + outer + ","), std::string::npos) << text;
    EXPECT_EQ(text.find(", int " + outer + ")"), std::string::npos) << text;
}

// The default javac adds to an exhaustive pattern switch (throwing
// MatchException for what no case covers) was not in the source.
TEST_F(RecordPatternSwitch, TheRemainderDefaultOfAnExhaustiveSwitchIsLeftOut) {
    const std::string text = decompile(R"(class T {
        sealed interface S permits A, B {}
        record A(int v) implements S {}
        record B(String s) implements S {}
        static int f(S s) {
            return switch (s) { case A(int v) -> v; case B(String t) -> t.length(); };
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    const size_t f = text.find("static int f(");
    ASSERT_NE(f, std::string::npos) << text;
    const std::string fText = text.substr(f);
    expectPieces(fText, {"case A(int ", "case B(String "});
    EXPECT_EQ(fText.find("default"), std::string::npos) << fText;
    EXPECT_EQ(fText.find("MatchException"), std::string::npos) << fText;
}

// Without a loop around the outer switch, a merged case whose guard fails
// restarts in the inner switch alone; where that cannot take the outer
// switch's place, the method is not decompiled, and no accessor call is
// printed without the handler that wraps what it throws.
TEST_F(RecordPatternSwitch, AMergedCaseThatCannotBeFoldedKeepsTheMethodAsItWas) {
    const std::string text = decompile(R"(class T {
        record R(int v) {}
        static int f(Object o) {
            return switch (o) {
                case String s -> 3;
                case R(int v) when v > 100 -> 1;
                case R(int v) -> v * 2;
                default -> 0;
            };
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    const size_t body = text.find("static int f(");
    ASSERT_NE(body, std::string::npos) << text;
    const std::string f = text.substr(body);
    if (f.find("Not decompiled") == std::string::npos) {
        expectPieces(f, {"case R(int ", ") when ", "case R(int "});
    } else {
        EXPECT_EQ(f.find("case R("), std::string::npos) << f;
    }
}


using RecordPatternInstanceOf = RecordPatternSwitch;

// The method's text from `signature` up to the next method, or empty.
std::string methodText(const std::string& text, const std::string& signature) {
    const size_t at = text.find(signature);
    if (at == std::string::npos) return std::string();
    const size_t next = text.find("\n    static ", at + signature.size());
    return text.substr(at, next == std::string::npos ? std::string::npos : next - at);
}

TEST_F(RecordPatternInstanceOf, FlatNestedNegatedTypedAndAfterOrPrintTheirPatterns) {
    const std::string text = decompile(R"(class T {
        record P(int x, int y) {}
        record L(P a, P b) {}
        record C(char c, boolean z, long l) {}
        static String flat(Object o) { if (o instanceof P(int x, int y)) return "p" + x + y; return "-"; }
        static String nested(Object o) { if (o instanceof L(P(var a, var b), P q)) return "l" + a + b + q; return "-"; }
        static String negated(Object o) { if (!(o instanceof P(int x, int y))) return "-"; return "n" + (x + y); }
        static String after(int k, Object o) { if (k > 0 || !(o instanceof P(int x, int y))) return "-"; return "a" + x; }
        static String prims(Object o) { if (o instanceof C(char c, boolean z, long l) && z) return "c" + c + l; return "-"; }
        static String typed(P p) { if (p instanceof P(int x, int y)) return "t" + x; return "-"; }
    })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    EXPECT_EQ(text.find("Not decompiled"), std::string::npos) << text;
    expectPieces(methodText(text, "static String flat("), {" instanceof P(int ", ", int ", ")"});
    // a nested record pattern tests its component (null does not match it); the total `P q` does not
    expectPieces(methodText(text, "static String nested("), {" instanceof L(P(int ", ", int ", "), P ", ")"});
    expectPieces(methodText(text, "static String negated("), {" instanceof P(int ", ", int "});
    expectPieces(methodText(text, "static String after("), {" instanceof P(int ", ", int "});
    expectPieces(methodText(text, "static String prims("), {" instanceof C(char ", ", boolean ", ", long ", ") && "});
    // javac casts nothing where the value has the record's type already
    expectPieces(methodText(text, "static String typed("), {" instanceof P(int ", ", int "});
    // nothing of the lowering is left
    EXPECT_EQ(text.find(".x()"), std::string::npos) << text;
    EXPECT_EQ(text.find("MatchException"), std::string::npos) << text;
    EXPECT_EQ(text.find("1 != 0"), std::string::npos) << text;
}

// A loop whose update reads a binding is a for loop: the condition's
// bindings reach its update as they reach its body.
TEST_F(RecordPatternInstanceOf, ABindingReadInAForLoopsUpdateIsThePatterns) {
    const std::string text = decompile(R"(class T {
        record N(Object next, int v) {}
        static int walk(Object o) {
            int n = 0;
            while (o instanceof N(Object next, int v) && v > 0) { n += v; o = next; }
            return n;
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    const std::string f = methodText(text, "static int walk(");
    expectPieces(f, {"for (; ", " instanceof N(Object ", ", int ", "); ", " = "});
    EXPECT_EQ(f.find("MatchException"), std::string::npos) << f;
}

// A binding read where the pattern does not reach (the loop's update reads
// it) cannot be the pattern's: the method is decompiled as it was without
// the fold, its accessor calls still inside the handler that makes what
// they throw a MatchException, never bare.
TEST_F(RecordPatternInstanceOf, ABindingReadOutsideThePatternsScopeKeepsTheMethodAsItWas) {
    const std::string text = decompile(R"(class T {
        record P(int x, int y) {}
        static int loop(Object[] items) {
            int i = 0;
            while (i < items.length && items[i] instanceof P(int x, int y) && x < 10) i += y > 0 ? 1 : 2;
            return i;
        } })");
    if (text.empty()) GTEST_SKIP() << "no javac for release 21";
    const std::string f = methodText(text, "static int loop(");
    ASSERT_FALSE(f.empty()) << text;
    if (f.find("instanceof P(") == std::string::npos) {
        EXPECT_NE(f.find("MatchException"), std::string::npos) << f;
        EXPECT_EQ(f.find(" instanceof P "), std::string::npos) << f;
    }
}

}  // namespace
}  // namespace jad::test
