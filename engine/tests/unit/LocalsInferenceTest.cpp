// Locals without debug information: slots split by use, small integer types
// told apart, generated names short and never reserved.
#include "BodyTestSupport.h"

#include "body/Declare.h"

namespace jad::test {
namespace {

using LocalsInference = BodyTest;

TEST_F(LocalsInference, SlotsReusedForOtherTypesBecomeSeparateVariables) {
    const std::string text = bodyOf(R"(class T { static String m(int n) {
        String r;
        { int k = n * 2; r = "" + k; }
        { String k = "x" + n; r = r + k; }
        { long k = n; r = r + k; }
        return r; } })", "m", "");
    expectDecompiled(text);
    expectPieces(text, {"int i = p0 * 2;", "String s", "long l = (long)p0;"});
}

TEST_F(LocalsInference, BooleanAndCharLocalsAreToldApartFromInt) {
    const std::string text = bodyOf(R"(class T { static String m(String s) {
        boolean seen = false; char last = 'a'; int count = 0;
        for (int i = 0; i < s.length(); i++) { char c = s.charAt(i); if (c == 'x') seen = true; last = c; count++; }
        return seen + " " + last + count; } })", "m", "");
    expectDecompiled(text);
    expectPieces(text, {"boolean flag = false;", "char c = 'a';", "int i = 0;", "== 'x'", "flag = true;"});
}

// Generated catch names follow the source, outer handler first, whatever
// the heap layout of the variables.
TEST_F(LocalsInference, NestedCatchParametersAreNamedOuterFirst) {
    const std::string text = bodyOf(R"(class T { static int m(String a, String b) {
        try { return Integer.parseInt(a); }
        catch (NumberFormatException e) {
            try { return Integer.parseInt(b); }
            catch (NumberFormatException f) { return -1; } } } })", "m", "");
    expectDecompiled(text);
    expectPieces(text, {"catch (NumberFormatException ex)", "catch (NumberFormatException ex2)"});
}

TEST(LocalNames, ReservedWordsOfTheViewerAreNeverNames) {
    for (const char* word : {"cast", "const", "future", "generic", "goto", "inner", "operator", "outer", "rest", "var",
                             "int", "class", "true", "null"}) {
        EXPECT_FALSE(body::isValidIdentifier(word)) << word;
    }
    EXPECT_FALSE(body::isValidIdentifier("a$b"));
    EXPECT_FALSE(body::isValidIdentifier("1a"));
    EXPECT_TRUE(body::isValidIdentifier("list2"));
}

}  // namespace
}  // namespace jad::test
