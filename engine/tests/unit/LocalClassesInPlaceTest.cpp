// Local classes in the modern dialect: declared in place where that keeps
// the meaning, member classes where it might not. Each program is
// decompiled, compiled again and run; it must print what the original did.
#include <gtest/gtest.h>

#include "JadExpectations.h"
#include "decl/parts/LocalMarks.h"

namespace jad {
namespace {

using test::expectAbsent;
using test::expectContains;

class LocalClassesInPlace : public ::testing::Test {
protected:
    // The -m output for Outer, after checking that it compiles and runs as the original.
    std::string roundTrip(const std::string& source, const std::string& release = "17") {
        const std::string options = "--release " + release;
        auto compiled = test::compileJava(dir.path(), {{"Outer.java", source}}, options);
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        auto original = test::runCommand("java -cp classes Outer", dir.path());
        auto result = test::runJad({"-m", "-p", (dir.path() / "classes" / "Outer.class").string()}, dir.path());
        EXPECT_EQ(result.status, 0) << result.err;
        const std::string text = test::withLf(result.out);
        test::TempDir again;
        auto recompiled = test::compileJava(again.path(), {{"Outer.java", text}}, options);
        EXPECT_EQ(recompiled.status, 0) << recompiled.err << "\n--- in ---\n" << text;
        auto rerun = test::runCommand("java -cp classes Outer", again.path());
        EXPECT_EQ(rerun.out, original.out) << text;
        return text;
    }

    test::TempDir dir;
};

TEST(LocalMarks, EachDeclarationIsCountedAndItsMarkTakenOut) {
    SourceWriter written;
    written.line("class A {");
    written.line("}");
    const std::vector<std::string> lines = markedDeclaration(written, "p/Outer$1A");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "class A {");
    std::string text = "x\n" + lines[0] + "\n" + lines[1] + "\n" + lines[1] + "\n";
    std::map<std::string, int> counts;
    EXPECT_EQ(takeOutLocalMarks(text, counts), "x\nclass A {\n}\n}\n");
    EXPECT_EQ(counts["p/Outer$1A"], 2);
    // An unclosed mark is left as text, not taken for one.
    counts.clear();
    EXPECT_EQ(takeOutLocalMarks("a\x01" "b", counts), "a\x01" "b");
    EXPECT_TRUE(counts.empty());
}

TEST_F(LocalClassesInPlace, DeclaredInTheInnermostBlockAroundItsUses) {
    std::string text = roundTrip(R"(
        public class Outer {
            int base = 5;
            int run(final int k, boolean deep) {
                int r = 1;
                if (deep) {
                    class Deep {
                        int extra;
                        Deep(int extra) { this.extra = extra; }
                        int value() { return k + extra + base; }
                    }
                    r += new Deep(2).value() + new Deep(3).value();
                }
                return r;
            }
            public static void main(String[] args) {
                System.out.println(new Outer().run(10, true) + " " + new Outer().run(10, false));
            }
        })");
    expectContains(text, {"if (flag) {\n            class Deep {", "new Deep(2)", "Deep(int i2) {"});
    expectAbsent(text, {"val$", "this$0", "Outer.Deep"});
}

TEST_F(LocalClassesInPlace, ConstructorsAndLoopsCaptureTheirLocals) {
    std::string text = roundTrip(R"(
        public class Outer {
            final String made;
            Outer(final String tag) {
                class Maker {
                    final String pre;
                    Maker(String pre) { this.pre = pre + tag; }
                    Maker() { this("<"); }
                    String make() { return pre + tag + ">"; }
                }
                made = new Maker().make() + new Maker("(").make();
            }
            static String loop(String[] words) {
                StringBuilder sb = new StringBuilder();
                for (final String w : words) {
                    class Wrap { String wrapped() { return "[" + w + "]"; } }
                    sb.append(new Wrap().wrapped());
                }
                return sb.toString();
            }
            public static void main(String[] args) {
                System.out.println(new Outer("x").made + loop(new String[] {"a", "b"}));
            }
        })");
    expectContains(text, {"for (String s : as) {\n            class Wrap {"});
    expectAbsent(text, {"val$"});
}

TEST_F(LocalClassesInPlace, TheEnclosingInstanceIsReadAsWhatItIs) {
    std::string text = roundTrip(R"(
        public class Outer {
            static class Base { final Object held; Base(Object held) { this.held = held; } }
            String name = "outer";
            boolean holdsThis() {
                class Holder extends Base {
                    Holder() { super(Outer.this); }
                    String name() { return name; }
                }
                Holder h = new Holder();
                return h.held == this && h.name().equals("outer");
            }
            public static void main(String[] args) { System.out.println(new Outer().holdsThis()); }
        })");
    expectContains(text, {"super(Outer.this);"});
}

// A class another class of the method uses, or whose name two classes
// share, is kept a member class: in place it could not be seen, or would
// hide the other.
TEST_F(LocalClassesInPlace, KeptMemberClassesWhereAnotherClassUsesThem) {
    std::string text = roundTrip(R"(
        public class Outer {
            static String shared(final int k) {
                class Helper { int get() { return k; } }
                Runnable r = new Runnable() {
                    public void run() { System.out.println("anon " + new Helper().get()); }
                };
                r.run();
                return "" + new Helper().get();
            }
            // Printed in place, the field would hide the parameter, named alike without debug information.
            static int hidden(final int k) {
                class Reads { int i = 7; int get() { return i * 10 + k; } }
                return new Reads().get();
            }
            static int one() { class Same { int v() { return 1; } } return new Same().v(); }
            static int two() { class Same { int v() { return 2; } } return new Same().v(); }
            public static void main(String[] args) {
                System.out.println(shared(4) + one() + two() + " " + hidden(3));
            }
        })");
    expectContains(text, {"static class Helper {", "static class Same {", "static class Same2 {", "static class Reads {"});
}

TEST_F(LocalClassesInPlace, RecordsEnumsAndInterfacesAreStatic) {
    std::string text = roundTrip(R"(
        public class Outer {
            String all(int n) {
                record Point(int x, int y) {}
                enum Color { RED, GREEN }
                interface Twice { int of(int v); }
                Twice t = v -> v * 2;
                return new Point(n, t.of(n)) + " " + Color.valueOf("GREEN").ordinal();
            }
            public static void main(String[] args) { System.out.println(new Outer().all(3)); }
        })");
    expectContains(text, {"        record Point(int x, int y) {", "        enum Color {", "        interface Twice {"});
}

}  // namespace
}  // namespace jad
