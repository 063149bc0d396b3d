// Declarations printed from javac output, grouped by feature. Method bodies
// are the body decompiler's; these tests look at everything around them.
#include <gtest/gtest.h>

#include "JavaTestSupport.h"

namespace jad {
namespace {

class Declarations : public ::testing::Test {
protected:
    // Compiles `sources` and returns jad's output for `classFile` (LF line ends).
    std::string decompile(const std::map<std::string, std::string>& sources, const std::string& classFile,
                          const std::string& javacOptions = "", std::vector<std::string> options = {}) {
        auto compiled = test::compileJava(dir.path(), sources, javacOptions);
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        options.push_back("-p");
        options.push_back((dir.path() / "classes" / classFile).string());
        auto result = test::runJad(options, dir.path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return test::withLf(result.out);
    }

    test::TempDir dir;
};

// Each piece must occur, in this order.
void expectInOrder(const std::string& text, const std::vector<std::string>& pieces) {
    size_t at = 0;
    for (const auto& piece : pieces) {
        size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "missing (in order): " << piece << "\n--- in ---\n" << text;
        at = found + piece.size();
    }
}

void expectAbsent(const std::string& text, const std::vector<std::string>& pieces) {
    for (const auto& piece : pieces) EXPECT_EQ(text.find(piece), std::string::npos) << piece << "\n" << text;
}

TEST_F(Declarations, ImportsOnlyWhatIsUnambiguous) {
    std::string text = decompile({{"Uses.java", R"(
        package app.core;
        import java.util.*;
        public class Uses {
            java.util.List<String> utilList; java.awt.List awtList;
            Map.Entry<String, String> entry; Helper helper; StringBuilder builder;
            java.io.File file; java.util.concurrent.TimeUnit unit; TimeUnit own;
            static class TimeUnit {}
        }
        class Helper {})"}}, "app/core/Uses.class", "", {"-ff"});
    expectInOrder(text, {"package app.core;\n\nimport java.io.File;\nimport java.util.Map;\n\npublic class Uses {",
                         "    java.util.List utilList;\n    java.awt.List awtList;\n",
                         "    Map.Entry entry;\n    Helper helper;\n    StringBuilder builder;\n    File file;\n"
                         "    java.util.concurrent.TimeUnit unit;\n    TimeUnit own;\n",
                         "    static class TimeUnit {"});
    expectAbsent(text, {"import java.util.List;", "import java.awt.List;", "import java.lang", "import app.core"});
}

TEST_F(Declarations, ConstantsPrintAsLiteralsThatReadBack) {
    std::string text = decompile({{"Constants.java", R"(
        public class Constants {
            public static final int MIN = Integer.MIN_VALUE, NEG = -7;
            static final long LMIN = Long.MIN_VALUE, BIG = 1234567890123L;
            static final float F = 0.1f, FN = Float.NaN, FI = Float.NEGATIVE_INFINITY;
            static final double D = 1e-5, DI = Double.POSITIVE_INFINITY, DZ = -0.0;
            static final char QUOTE = '\'', LATIN = '\u00ff', WIDE = '\u4e2d';
            static final byte B = -128; static final short S = 32767; static final boolean T = true;
            static final String STR = "tab\tquote\"back\\ \u00e9\u4e2d \0 end\r\n";
            static final String LONG = "abcdefghijklmnopqrstuvwxyz";
            final int instance = 5;
            static int notConstant = 3;
        })"}}, "Constants.class", "", {"-ff", "-l10"});
    expectInOrder(text, {
        "    public static final int MIN = Integer.MIN_VALUE;\n    public static final int NEG = -7;\n",
        "    static final long LMIN = Long.MIN_VALUE;\n    static final long BIG = 1234567890123L;\n",
        "    static final float F = 0.1F;\n    static final float FN = Float.NaN;\n"
        "    static final float FI = Float.NEGATIVE_INFINITY;\n",
        "    static final double D = 1.0E-5;\n    static final double DI = Double.POSITIVE_INFINITY;\n"
        "    static final double DZ = -0.0;\n",
        "    static final char QUOTE = '\\'';\n    static final char LATIN = '\\377';\n"
        "    static final char WIDE = (char)20013;\n",
        "    static final byte B = -128;\n    static final short S = 32767;\n    static final boolean T = true;\n",
        "    static final String STR = \"tab\\tquote\\\"\" + \"back\\\\ \xC3\xA9\xE4\xB8\xAD \\000\" + \" end\\r\\n\";\n",
        "    static final String LONG = \"abcdefghij\" + \"klmnopqrst\" + \"uvwxyz\";\n",
        // The JVM ignores a constant on an instance field; the constructor sets it.
        "    final int instance;\n    static int notConstant = 3;\n"});
}

TEST_F(Declarations, ParameterNamesComeFromDebugInfoOrAreMadeUp) {
    std::map<std::string, std::string> source{{"Params.java", R"(
        public abstract class Params {
            public void named(int count, String label, long[] values) {}
            public static void clash(String s, String s2, Object o, int i, int j) {}
            void reserved(int var, String... rest) {}
            abstract void abs(java.util.List<String> items, int n);
        })"}};
    std::string debug = decompile(source, "Params.class", "-g");
    expectInOrder(debug, {"public void named(int count, String label, long[] values) {",
                          "public static void clash(String s, String s2, Object o, int i, int j) {",
                          "void reserved(int i, String[] as) {", "abstract void abs(List list, int i);"});
    std::string parameters = decompile(source, "Params.class", "-parameters");
    expectInOrder(parameters, {"abstract void abs(List items, int n);"});
    std::string none = decompile(source, "Params.class");
    expectInOrder(none, {"public void named(int i, String s, long[] al) {",
                         "public static void clash(String s, String s1, Object obj, int i, int i1) {"});
}

TEST_F(Declarations, MethodsConstructorsAndInitializers) {
    std::string text = decompile({{"Shapes.java", R"(
        import java.io.*;
        public abstract class Shapes {
            static int count;
            static { count = 1; }
            protected Shapes(int n) throws IOException, InterruptedException {}
            public abstract double area();
            native int peek();
            synchronized final void lock() {}
            class Inner { Inner(String name) {} }
            interface Visitor { void visit(Shapes s); default int depth() { return 0; } static Visitor none() { return null; } }
        })"}}, "Shapes.class", "-g");
    expectInOrder(text, {"    protected Shapes(int n) throws IOException, InterruptedException {\n",
                         "    public abstract double area();\n",
                         "    native int peek();\n",
                         "    final synchronized void lock() {\n"});
    // A static block that only assigns a field is that field's initializer.
    expectInOrder(text, {"    static int count = 1;\n"});
    expectAbsent(text, {"static {"});
    // The enclosing instance the compiler passes is not a declared parameter.
    expectInOrder(text, {"    class Inner {\n        Inner(String name) {\n"});
    expectInOrder(text, {"    interface Visitor {\n", "        void visit(Shapes shapes);\n",
                         "        int depth() {\n", "        static Visitor none() {\n"});
}

TEST_F(Declarations, MemberClassesNestFromTheirOwnFiles) {
    std::string source = R"(
        package n;
        public class Outer {
            int a;
            private static class First { protected class Second { public interface Third {} } }
            public static final class Last {}
            void m() { Runnable r = new Runnable() { public void run() {} }; }
        })";
    std::string text = decompile({{"Outer.java", source}}, "n/Outer.class", "", {"-ff"});
    expectInOrder(text, {"public class Outer {\n    int a;\n",
                         "    private static class First {\n",
                         "        protected class Second {\n",
                         "            public interface Third {\n            }\n",
                         "    public static final class Last {\n"});
    // Anonymous classes are not member classes.
    expectAbsent(text, {"class Outer$1", "class 1 "});
    std::filesystem::remove(dir.path() / "classes" / "n" / "Outer$Last.class");
    auto result = test::runJad({"-p", (dir.path() / "classes/n/Outer.class").string()}, dir.path());
    EXPECT_EQ(result.status, 0);
    expectInOrder(test::withLf(result.out), {"    // member class Outer$Last.class: not found beside the input\n}"});
}

TEST_F(Declarations, EnumsRecordsAndAnnotationTypesAsClasses) {
    std::string text = decompile({{"Kinds.java", R"(
        import java.lang.annotation.*;
        public class Kinds {
            public enum Color { RED, GREEN; }
            record Point(int x, String label) {}
            @Retention(RetentionPolicy.RUNTIME) @interface Tag { String value() default "t"; int[] sizes() default {1, 2}; }
        })"}}, "Kinds.class", "", {"-ff"});
    expectInOrder(text, {"import java.lang.annotation.Annotation;\n"});
    expectInOrder(text, {"    public static final class Color extends Enum {\n",
                         "        public static final Color RED = new Color(\"RED\", 0);\n"
                         "        public static final Color GREEN = new Color(\"GREEN\", 1);\n",
                         "        public static Color[] values() {", "        public static Color valueOf(String s) {"});
    expectInOrder(text, {"    static final class Point extends Record {\n",
                         "        private final int x;\n        private final String label;\n",
                         "        Point(int x, String label) {", "        public int x() {",
                         "        public String label() {"});
    expectInOrder(text, {"    // @java.lang.annotation.Retention(java.lang.annotation.RetentionPolicy.RUNTIME)\n"
                         "    interface Tag extends Annotation {\n",
                         "        String value(); // default \"t\"\n",
                         "        int[] sizes(); // default {1, 2}\n"});
    expectAbsent(text, {"Color[] $VALUES", "Color[] $values()", "enum Color", "record Point", "@interface"});
}

TEST_F(Declarations, BridgesFollowTheErasure) {
    std::string text = decompile({{"Bridges.java", R"(
        public class Bridges implements Comparable<Bridges>, Cloneable {
            public int compareTo(Bridges other) { return 0; }
            @Override public Bridges clone() { return this; }
        })"}}, "Bridges.class", "-g");
    // The raw Comparable needs compareTo(Object); a covariant clone() bridge
    // cannot sit beside the method it bridges.
    expectInOrder(text, {"public int compareTo(Bridges other) {", "public Bridges clone() {"});
    expectInOrder(text, {"public int compareTo(Object obj) {"});
    expectAbsent(text, {"Object clone()"});
}

TEST_F(Declarations, GenericsAndAnnotationsBecomeComments) {
    std::string text = decompile({{"Generic.java", R"(
        import java.util.*;
        @Deprecated
        public class Generic<K extends Comparable<K>> {
            @Deprecated(since = "1") public Map<K, List<String>> index;
            @SafeVarargs public static <T> List<T> listOf(@SuppressWarnings("x") T... items) { return null; }
        })"}}, "Generic.class", "-g", {"-ff"});
    expectInOrder(text, {"// @Deprecated\n// class Generic<K extends Comparable<K>>\npublic class Generic {\n",
                         "    // @Deprecated(since = \"1\")\n    // Map<K, List<String>> index\n    public Map index;\n",
                         "    // @SafeVarargs\n    // <T> List<T> listOf(T[] items)\n"
                         "    public static List listOf(Object[] items) {\n"});
}


TEST_F(Declarations, StaticInitializersOfOnlyFieldAssignmentsBecomeInitializers) {
    std::map<std::string, std::string> sources{{"Statics.java", R"(
        public class Statics {
            static final Object LOCK = new Object();
            static final int[] TABLE = new int[4];
            static String name = "n";
            interface Holder { Object EMPTY = new Object(); }
        }
        class Mixed { static int a; static { a = 1; System.out.println(a); } }
        class Asserts { void check(int x) { assert x > 0; } })"}};
    std::string text = decompile(sources, "Statics.class", "", {"-ff"});
    expectInOrder(text, {"    static final Object LOCK = new Object();\n", "    static final int[] TABLE = new int[4];\n",
                         "    static String name = \"n\";\n", "    interface Holder {\n        Object EMPTY = new Object();\n"});
    expectAbsent(text, {"static {"});
    // Anything besides the assignments keeps the block as it is.
    auto mixed = test::runJad({"-p", (dir.path() / "classes/Mixed.class").string()}, dir.path());
    expectInOrder(test::withLf(mixed.out), {"    static {\n"});
    // The flag `assert` compiles to is synthetic, yet the code still reads it.
    auto asserts = test::runJad({"-p", (dir.path() / "classes/Asserts.class").string()}, dir.path());
    expectInOrder(test::withLf(asserts.out), {"    static final boolean assertionsDisabled"});
}

}  // namespace
}  // namespace jad
