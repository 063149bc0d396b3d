// Switches on enums and strings come back as the source wrote them, and the
// enum plumbing javac adds prints under legal names.
#include <filesystem>

#include "BodyTestSupport.h"
#include "body/decode/EnumValues.h"
#include "body/sugar/StringSwitch.h"
#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"

namespace jad::test {
namespace {

// Whole files through jad, so that the switch map beside the input is found.
class EnumSwitches : public ::testing::Test {
protected:
    std::string decompile(const std::string& classFile, int expectedStatus = 0) {
        auto result = runJad({"-p", (dir.path() / "classes" / classFile).string()}, dir.path());
        EXPECT_EQ(result.status, expectedStatus) << result.err;
        return withLf(result.out);
    }

    void compile(const std::string& options) {
        auto compiled = compileJava(dir.path(), {{"Outer.java", R"(
            package p;
            public class Outer {
                enum Color { RED, GREEN, BLUE }
                static int nested(Color c) {
                    switch (c) { case RED: return 1; case BLUE: return 3; default: return 0; }
                }
                static int inLoop(Shape s) {
                    int n = 0;
                    for (int i = 0; i < 3; i++) {
                        switch (s) { case SQUARE: n += 4; case CIRCLE: n++; break; default: n--; }
                    }
                    return n;
                }
                static String jdk(java.util.concurrent.TimeUnit u) {
                    switch (u) { case SECONDS: case MINUTES: return "coarse"; default: return "fine"; }
                }
            }
            enum Shape { SQUARE, CIRCLE, TRIANGLE })"}}, options);
        ASSERT_EQ(compiled.status, 0) << compiled.err;
    }

    // No `$` outside comments: the viewer's parser stops at one.
    static void expectNoDollar(const std::string& text) {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            const size_t comment = line.find("//");
            EXPECT_EQ(line.substr(0, comment).find('$'), std::string::npos) << line << "\n--- in ---\n" << text;
            start = end + 1;
        }
    }

    TempDir dir;
};

TEST_F(EnumSwitches, NestedAndSecondClassEnumsAndJdkEnumsForRelease8And17) {
    for (const char* release : {"--release 8 -g", "--release 17 -g"}) {
        SCOPED_TRACE(release);
        compile(release);
        const std::string text = decompile("p/Outer.class");
        expectPieces(text, {"static int nested(", "switch (", ") {\n", "case RED:\n", "return 1;", "case BLUE:\n", "return 3;", "default:\n"});
        expectPieces(text, {"switch (", ") {\n", "case SQUARE:\n", "n += 4;\n", "case CIRCLE:\n", "n++;\n", "break;\n",
                            "default:\n", "n--;\n"});
        expectPieces(text, {"case SECONDS:\n", "case MINUTES:\n", "return \"coarse\";"});
        EXPECT_EQ(text.find("SwitchMap"), std::string::npos) << text;
        EXPECT_EQ(text.find("ordinal()"), std::string::npos) << text;
        EXPECT_EQ(text.find("class 1"), std::string::npos) << text;
        expectNoDollar(text);
    }
}

TEST_F(EnumSwitches, WithoutTheSwitchMapTheMethodTakesTheFallbackBody) {
    compile("--release 8");
    std::filesystem::remove(dir.path() / "classes" / "p" / "Outer$1.class");
    const std::string text = decompile("p/Outer.class");
    expectPieces(text, {"static int nested(", "enum switch map not found"});
    // the table is named in the listing's comments only
    expectNoDollar(text);
}

TEST_F(EnumSwitches, EnumPlumbingPrintsUnderLegalNames) {
    for (const char* release : {"--release 8", "--release 17"}) {
        SCOPED_TRACE(release);
        auto compiled = compileJava(dir.path(), {{"Planet.java", R"(
            public enum Planet { MERCURY, VENUS;
                static Planet first() { return values()[0]; }
                static int check(int x) { assert x > 0; return x; }
                static final boolean assertionsDisabled = false;
            })"}}, release);
        ASSERT_EQ(compiled.status, 0) << compiled.err;
        const std::string text = decompile("Planet.class");
        expectPieces(text, {"return (Planet[])VALUES.clone();"});
        expectPieces(text, {"private static final Planet[] VALUES"});
        // the flag's own name is taken by a field of the source
        expectPieces(text, {"if (!assertionsDisabled1 && "});
        expectPieces(text, {"static final boolean assertionsDisabled1"});
        // javac 17's $values() is written out where it is called
        expectPieces(text, {"VALUES = new Planet[]{"});
        EXPECT_EQ(text.find("values1"), std::string::npos) << text;
        expectNoDollar(text);
    }
}

using StringSwitches = BodyTest;

TEST_F(StringSwitches, CollidingHashesSeveralLabelsFallThroughAndDefault) {
    const char* source = R"(class T { static int m(String s) {
        int r = 0;
        switch (s) {
        case "Aa": r = 1; break;
        case "BB": r = 2;
        case "x": case "y": r += 3; break;
        default: r = -1;
        }
        return r; } })";
    for (const char* release : {"--release 8 -g", "--release 17 -g"}) {
        SCOPED_TRACE(release);
        const std::string text = bodyOf(source, "m", release);
        expectDecompiled(text);
        expectPieces(text, {"switch (p0) {\n", "case \"Aa\":\n    r = 1;\n    break;\n", "case \"BB\":\n    r = 2;\n",
                            "case \"x\":\ncase \"y\":\n    r += 3;\n    break;\n", "default:\n    r = -1;\n"});
        EXPECT_EQ(text.find("hashCode"), std::string::npos) << text;
        EXPECT_EQ(text.find("equals"), std::string::npos) << text;
    }
}

TEST_F(StringSwitches, SelectorIsTheExpressionJavacCopied) {
    const std::string text = bodyOf(R"(class T { static int m(String s) {
        for (int i = 0; i < 2; i++) {
            switch (s.trim()) { case "": continue; case "stop": return i; }
            s = s + "!";
        }
        return -1; } })", "m", "--release 8");
    expectDecompiled(text);
    expectPieces(text, {"switch (p0.trim()) {\n", "case \"\":\n", "case \"stop\":\n", "return i;"});
}

TEST_F(StringSwitches, LookalikeCodeThatReadsTheIndexLaterStaysAsItIs) {
    const std::string text = bodyOf(R"(class T { static int m(String s) {
        int i = -1;
        switch (s.hashCode()) { case 97: if (s.equals("a")) i = 0; break; }
        switch (i) { case 0: return 10; }
        return i; } })", "m");
    expectDecompiled(text);
    expectPieces(text, {"switch (p0.hashCode()) {", "case 97:", "p0.equals(\"a\")", "switch (i) {", "case 0:", "return i;"});
}

TEST(StringHash, MatchesJavaForCollisionsAndWideCharacters) {
    EXPECT_EQ(body::javaHashCode(u"Aa"), 2112);
    EXPECT_EQ(body::javaHashCode(u"BB"), 2112);
    EXPECT_EQ(body::javaHashCode(u""), 0);
    EXPECT_EQ(body::javaHashCode(u"\u00e9t\u00e9"), 227742);
    // wraps like Java's int arithmetic
    EXPECT_EQ(body::javaHashCode(u"polygenelubricants"), INT32_MIN);
}

// A class holding `values` and a synthetic `$values` with the given code.
ClassFile enumWithValuesMethod(std::vector<uint8_t> code) {
    ClassFile file;
    file.thisClass = "E";
    Method values;
    values.name = "values";
    values.descriptor = "()[LE;";
    Method made;
    made.name = "$values";
    made.descriptor = "()[LE;";
    made.access = access::Private | access::Static | access::Synthetic;
    made.code = Code();
    made.code->maxStack = 1;
    made.code->bytes = std::move(code);
    file.methods = {values, made};
    Field array;
    array.name = "$VALUES";
    array.descriptor = "[LE;";
    array.access = access::Private | access::Static | access::Final | access::Synthetic;
    Field taken;
    taken.name = "VALUES";
    taken.descriptor = "I";
    file.fields = {array, taken};
    return file;
}

TEST(SyntheticNames, KeptMembersGetLegalNamesDistinctFromTheClassMembers) {
    const uint8_t aconstNull = 1, areturn = 176;
    const ClassFile file = enumWithValuesMethod({aconstNull, areturn});
    const Method& made = file.methods[1];
    // not the plain array of the constants: kept, under a legal name
    EXPECT_FALSE(body::enumValuesArray(file, made));
    EXPECT_FALSE(isHiddenMethod(file, made));
    EXPECT_EQ(printedMethodName(file, made), "values1");
    EXPECT_FALSE(isHiddenField(file.fields[0]));
    EXPECT_EQ(printedFieldName(file, file.fields[0]), "VALUES1");
    EXPECT_EQ(printedFieldName(file, file.fields[1]), "VALUES");
    EXPECT_EQ(legalSyntheticName(file, "$assertionsDisabled", false), "assertionsDisabled");
    EXPECT_EQ(legalSyntheticName(file, "$", false), "syntheticField");
}

TEST_F(StringSwitches, ValuesArrayIsReadFromJavacsCode) {
    // javac writes $values() only for enums; a hand-written twin has the same code.
    auto compiled = compileJava(dir.path(), {{"E.java", R"(class E {
        static final E A = new E(), B = new E();
        static E[] $values() { return new E[] {A, B}; } }
        class F { static final F A = new F();
        static F[] $values() { return new F[] {A, null}; } })"}}, "--release 8");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    auto valuesOf = [&](const std::string& name) {
        const std::vector<uint8_t> bytes = readBytes(dir.path() / "classes" / (name + ".class"));
        const ClassFile file = readClassFile(bytes.data(), bytes.size());
        const Method* m = nullptr;
        for (const Method& each : file.methods) m = each.name == "$values" ? &each : m;
        EXPECT_NE(m, nullptr);
        return m ? body::enumValuesArray(file, *m) : std::nullopt;
    };
    EXPECT_EQ(valuesOf("E"), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(valuesOf("F"));
}

}  // namespace
}  // namespace jad::test
