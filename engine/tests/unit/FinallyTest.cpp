// finally bodies come back once, after the try, whatever javac copied.
#include "BodyTestSupport.h"

namespace jad::test {
namespace {

size_t occurrences(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

class Finally : public BodyTest {
protected:
    // The method's body under each compilation the round trip uses.
    std::vector<std::string> bodies(const std::string& source, const std::string& method) {
        std::vector<std::string> result;
        for (const char* options : {"--release 8 -g", "--release 8", "--release 17"}) {
            result.push_back(bodyOf(source, method, options));
        }
        return result;
    }
};

TEST_F(Finally, EveryExitOfTheTrySharesOneFinally) {
    const std::string source = R"(class T { static StringBuilder log = new StringBuilder();
        static int m(int[] a) {
            int s = 0;
            for (int i = 0; i < a.length; i++) {
                try {
                    if (a[i] < 0) continue;
                    if (a[i] == 0) break;
                    if (a[i] > 100) return -1;
                    s += a[i];
                } finally {
                    log.append("done");
                }
            }
            return s; } })";
    for (const std::string& text : bodies(source, "m")) {
        expectDecompiled(text);
        EXPECT_EQ(occurrences(text, "log.append(\"done\");"), 1u) << text;
        EXPECT_EQ(occurrences(text, "} finally {"), 1u) << text;
        EXPECT_EQ(text.find("catch (Throwable"), std::string::npos) << text;
        // the continue comes back as the if around the rest of the try
        expectPieces(text, {"try {", ">= 0) {", "break;", "return -1;", "} finally {\n", "log.append(\"done\");"});
    }
}

TEST_F(Finally, CatchesJoinTheFinallyAndReturnsStayInside) {
    const std::string source = R"(class T { static int count;
        static int m(String s) {
            try {
                return Integer.parseInt(s);
            } catch (NumberFormatException e) {
                return -1;
            } finally {
                int d = count * 2;
                count = d + 1;
            } } })";
    for (const std::string& text : bodies(source, "m")) {
        expectDecompiled(text);
        EXPECT_EQ(occurrences(text, "count = "), 1u) << text;
        expectPieces(text, {"try {", "return Integer.parseInt(", "} catch (NumberFormatException ", "return -1;",
                            "} finally {", "count * 2;", "}"});
        EXPECT_EQ(occurrences(text, "try {"), 1u) << text;
    }
}

TEST_F(Finally, NestedFinallyBodiesEachOnce) {
    const std::string source = R"(class T { static StringBuilder log = new StringBuilder();
        static String m(int mode) {
            try {
                try {
                    if (mode == 0) return "early";
                    log.append('a');
                } finally {
                    log.append("inner");
                }
            } finally {
                log.append("outer");
            }
            return "late"; } })";
    for (const std::string& text : bodies(source, "m")) {
        expectDecompiled(text);
        EXPECT_EQ(occurrences(text, "\"inner\""), 1u) << text;
        EXPECT_EQ(occurrences(text, "\"outer\""), 1u) << text;
        EXPECT_EQ(occurrences(text, "} finally {"), 2u) << text;
        expectPieces(text, {"return \"early\";", "\"inner\"", "\"outer\"", "return \"late\";"});
    }
}

TEST_F(Finally, CatchOfAnythingWithOtherCodeAfterStaysACatch) {
    // the code after the try is not the handler's: no finally to fold
    const std::string source = R"(class T { static void a() {} static void b() {} static void c() {}
        static void m() {
            try { a(); } catch (Throwable t) { b(); throw t; }
            c(); } })";
    const std::string text = bodyOf(source, "m");
    expectDecompiled(text);
    EXPECT_EQ(text.find("finally"), std::string::npos) << text;
    expectPieces(text, {"try {", "a();", "} catch (Throwable ", "b();", "throw ", "c();"});
}

TEST_F(Finally, SynchronizedAndTryWithResourcesKeepTheirForms) {
    const std::string source = R"(class T { static int n;
        static int m(Object lock, java.io.Reader r) throws java.io.IOException {
            synchronized (lock) { n++; }
            try (java.io.Reader in = r) { return in.read(); } } })";
    for (const std::string& text : bodies(source, "m")) {
        expectDecompiled(text);
        expectPieces(text, {"synchronized (", "n++;", "}", "try {", ".read()", "close();"});
        EXPECT_EQ(text.find("monitor"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace jad::test
