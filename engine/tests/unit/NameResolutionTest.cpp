// Every printed name must find what the bytecode names: hidden fields,
// statics through instances, member classes hiding other types, overloads,
// nulls, locals next to fields, and lambda parameters.
#include <gtest/gtest.h>

#include <map>

#include "JadExpectations.h"
#include "cli/PlatformImage.h"

namespace jad {
namespace {

using test::expectAbsent;
using test::expectContains;

class NameResolution : public ::testing::Test {
protected:
    // Several rules read the output of one source: each is compiled once.
    std::string decompile(const std::string& source, const std::string& javacOptions = "--release 8") {
        static std::map<std::string, std::string> done;
        const std::string key = javacOptions + "\n" + source;
        auto found = done.find(key);
        if (found != done.end()) return found->second;
        return done[key] = test::decompileOuter(dir, source, javacOptions);
    }

    test::TempDir dir;
};

const char* const kHiding = R"(
    public class Outer {
        static class Animal { String kind = "a"; static int count; }
        static class Dog extends Animal { String kind = "d"; }
        static class Puppy extends Dog {
            String kind = "p";
            String viaSuper() { return super.kind; }
            String viaCast() { return ((Animal) this).kind + kind; }
        }
        static String outside(Puppy p) { return ((Animal) p).kind + ((Dog) p).kind + p.kind; }
        String plain(Dog d) { return d.kind; }
        static int statics(Dog d) { return d.count; }
    })";

TEST_F(NameResolution, HiddenFieldThroughSuperAndThroughCasts) {
    const std::string text = decompile(kHiding);
    expectContains(text, {"return super.kind;", "return ((Animal)this).kind + kind;",
                          "return ((Animal)puppy).kind + ((Dog)puppy).kind + puppy.kind;",
                          "return dog.kind;"});
}

TEST_F(NameResolution, StaticFieldThroughAnInstancePrintsThroughItsType) {
    const std::string text = decompile(kHiding);
    expectContains(text, {"return Dog.count;"});
    expectAbsent(text, {"dog.count"});
}

TEST_F(NameResolution, FieldThatTwoSupertypesDeclareIsCastToTheOneMeant) {
    const std::string text = decompile(R"(
        public class Outer {
            interface Named { String NAME = "i"; Object LATER = new Object(); }
            static class Base { Object LATER = "b"; }
            static class Both extends Base implements Named {
                Object read() { return ((Base) this).LATER; }
            }
        })");
    // From Base, the superclass, `super.` finds it; the plain name would be ambiguous.
    expectContains(text, {"return super.LATER;"});
}

TEST_F(NameResolution, LocalNamedLikeAFieldLeavesTheFieldQualified) {
    const std::string text = decompile(R"(
        public class Outer {
            int size = 3;
            static int total = 4;
            int sum() { int size = 5; int total = 6; return size + this.size + total + Outer.total; }
        })", "--release 8 -g");
    expectContains(text, {"return size + this.size + total + Outer.total;"});
}

TEST_F(NameResolution, MemberClassHidingAJavaLangClassLeavesThatOneQualified) {
    const std::string text = decompile(R"(
        public class Outer {
            static class String { int n = 1; }
            static java.lang.String both(java.lang.String s) { return s + new String().n; }
        })");
    expectContains(text, {"static java.lang.String both(java.lang.String s)", "new String().n"});
}

const char* const kOverloads = R"(
    public class Outer {
        static String m(int x) { return "i"; }
        static String m(long x) { return "l"; }
        static String m(Object x) { return "o"; }
        static String m(String x) { return "s"; }
        static String m(Integer x) { return "I"; }
        static String box(long x) { return "l"; }
        static String box(Integer x) { return "I"; }
        static String widened(int i, String s) { return m((long) i) + m((Object) s) + m(s) + m(i); }
        static String boxed(int i, Integer b) { return box(i) + box(b) + box(Integer.valueOf(i)) + m((Object) b); }
        static String nulls() { return m((String) null) + m((Integer) null) + String.valueOf((Object) null); }
    })";

TEST_F(NameResolution, TopLevelClassNamedLikeAnInheritedMemberClassIsQualified) {
    if (!PlatformImage::system().available()) GTEST_SKIP() << "no JDK module image on this system";
    auto compiled = test::compileJava(dir.path(), {
        {"p/Entry.java", "package p; public class Entry {}"},
        {"p/Table.java", "package p; public abstract class Table extends java.util.AbstractMap {"
                         " static Object make() { return new p.Entry(); } }"}}, "--release 8");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    auto result = test::runJad({"-p", (dir.path() / "classes" / "p" / "Table.class").string()}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    // Inside a Map, `Entry` is Map.Entry.
    expectContains(result.out, {"return new p.Entry();"});
}

TEST_F(NameResolution, CallThroughABaseTypeKeepsTheBaseOverload) {
    const std::string text = decompile(R"(
        public class Outer {
            static class Base { String pick(Object o) { return "b"; } }
            static class Derived extends Base { String pick(String s) { return "d"; } }
            static String run(Derived d) { return ((Base) d).pick("s") + d.pick("s"); }
        })");
    expectContains(text, {"return derived.pick((Object)\"s\") + derived.pick(\"s\");"});
}

TEST_F(NameResolution, OverloadsGetTheArgumentTypesThatSelectTheSameMethod) {
    const std::string text = decompile(kOverloads, "--release 8 -g");
    expectContains(text, {"m((long)i) + m((Object)s) + m(s) + m(i)"});
}

TEST_F(NameResolution, BoxedArgumentKeepsItsBoxingOverload) {
    const std::string text = decompile(kOverloads, "--release 8 -g");
    expectContains(text, {"box((long)i) + box(b) + box(Integer.valueOf(i)) + m((Object)b)"});
}

TEST_F(NameResolution, NullArgumentsAreCastToTheParameterType) {
    const std::string text = decompile(kOverloads, "--release 8 -g");
    expectContains(text, {"m((String)null) + m((Integer)null) + String.valueOf((Object)null)"});
}

TEST_F(NameResolution, PlatformOverloadsNeedNoCastWhereNoOtherOneTakesTheArgument) {
    if (!PlatformImage::system().available()) GTEST_SKIP() << "no JDK module image on this system";
    const std::string text = decompile(R"(
        public class Outer {
            static void print(StringBuilder sb, Object o) {
                System.out.println(sb);
                sb.append((Object) "x").append(o);
            }
        })", "--release 8 -g");
    expectContains(text, {"System.out.println(sb);", "sb.append((Object)\"x\").append(o);"});
}

TEST_F(NameResolution, NestedLambdaParametersHideNothing) {
    const char* const source = R"(
        import java.util.function.*;
        public class Outer {
            static IntFunction<IntFunction<IntUnaryOperator>> make() {
                return x -> y -> z -> x * 100 + y * 10 + z;
            }
        })";
    const std::string plain = decompile(source);
    expectContains(plain, {"apply(int i)", "apply(int i2)", "applyAsInt(int i3)", "return i * 100 + i2 * 10 + i3;"});
    const std::string debug = decompile(source, "--release 8 -g");
    expectContains(debug, {"apply(int x)", "apply(int y)", "applyAsInt(int z)", "return x * 100 + y * 10 + z;"});
}

TEST_F(NameResolution, LambdaParametersKeepClearOfCapturedLocals) {
    const std::string text = decompile(R"(
        import java.util.function.*;
        public class Outer {
            static int run(int i) {
                IntUnaryOperator f = k -> k + i;
                return f.applyAsInt(2);
            }
        })");
    expectContains(text, {"applyAsInt(int i2)", "return i2 + i;"});
}

TEST(PlatformImageTest, ReadsPlatformClassesAndRejectsWhatItLacks) {
    const PlatformImage& image = PlatformImage::system();
    if (!image.available()) GTEST_SKIP() << "no JDK module image on this system";
    auto string = image.classBytes("java/lang/String");
    ASSERT_TRUE(string);
    ASSERT_GE(string->second, 4u);
    EXPECT_EQ(string->first[0], 0xCA);
    EXPECT_EQ(string->first[1], 0xFE);
    EXPECT_TRUE(image.classBytes("java/sql/Connection"));  // outside java.base
    EXPECT_FALSE(image.classBytes("java/lang/NoSuchClassAnywhere"));
    EXPECT_FALSE(image.classBytes("NoPackage"));
    EXPECT_FALSE(image.classBytes(""));
}

TEST(PlatformImageTest, AFileThatIsNoImageIsUnavailable) {
    test::TempDir dir;
    test::writeText(dir.path() / "modules", std::string(64, 'x'));
    EXPECT_FALSE(PlatformImage((dir.path() / "modules").string()).available());
    EXPECT_FALSE(PlatformImage((dir.path() / "missing").string()).available());
    EXPECT_FALSE(PlatformImage((dir.path() / "modules").string()).classBytes("java/lang/String"));
}

}  // namespace
}  // namespace jad
