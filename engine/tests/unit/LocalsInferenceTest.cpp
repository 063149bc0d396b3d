// Locals without debug information: slots split by use, small integer types
// told apart, generated names short and never reserved.
#include "BodyTestSupport.h"

#include "body/structure/Declare.h"

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

TEST_F(LocalsInference, StackMapFramesGiveDeclaredReferenceTypes) {
    // `objs` and `seq` live across branch targets, where the frames record
    // the declared types that the values alone do not tell
    const std::string text = bodyOf(R"(class T { static String m(int n) {
        Object[][] objs = new Integer[1][1];
        CharSequence seq = "abc";
        for (int i = 0; i < n; i++) seq = new StringBuilder(seq).append(i);
        try { objs[0][0] = "text"; } catch (ArrayStoreException e) { return "store " + seq; }
        return "" + objs[0][0] + seq.length(); } })", "m", "");
    expectDecompiled(text);
    expectPieces(text, {"Object[][] arr = new Integer[1][1];", "CharSequence charSequence = \"abc\";", "arr[0][0] = \"text\";"});
}

TEST_F(LocalsInference, ReferenceLocalsBetweenFramesTakeTypesTheirUsesAccept) {
    // no frame covers these: the declared type comes from values and uses
    const std::string text = bodyOf(R"(class T {
        static int len(CharSequence s) { return s.length(); }
        static String m(boolean b) {
        CharSequence seq = b ? "abc" : new StringBuilder("xy");
        int n = len(seq) + seq.length();
        String result;
        try { Object[] objs = new Integer[1]; objs[0] = "s"; result = "no"; } catch (ArrayStoreException e) { result = "store"; }
        long[] values = null;
        String before = "" + values;
        values = new long[n];
        return result + before + values.length; } })", "m", "");
    expectDecompiled(text);
    expectPieces(text, {"CharSequence charSequence = (CharSequence)(", "len(charSequence) + charSequence.length()",
                        "Object[] arr = new Integer[1];", "arr[0] = \"s\";", "long[] arr = new long[i];"});
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
