// Anonymous classes printed where they are created, local classes as
// member classes, and what javac's constructors of those classes do.
#include <gtest/gtest.h>

#include "JadExpectations.h"
#include "classfile/ClassReader.h"
#include "decl/parts/AnonymousConstructor.h"

namespace jad {
namespace {

using test::expectAbsent;
using test::expectContains;
using test::expectNoDollar;

class AnonymousClasses : public ::testing::Test {
protected:
    std::string decompile(const std::string& source, const std::string& javacOptions = "--release 8 -g") {
        return test::decompileOuter(dir, source, javacOptions);
    }

    ClassFile classFile(const std::string& name) {
        auto bytes = test::readBytes(dir.path() / "classes" / (name + ".class"));
        return readClassFile(bytes.data(), bytes.size());
    }

    test::TempDir dir;
};

const char* const kCaptures = R"(
    public class Outer {
        int base = 1;
        static abstract class Shape {
            Shape(String label, int sides) {}
            abstract int area();
        }
        Runnable run(final int k, String s) {
            final String t = s + "!";
            return new Runnable() {
                public void run() { System.out.println(t + k + base); }
            };
        }
        Shape shape(final int side) {
            return new Shape("sq" + side, 4) {
                int area() { return side * side; }
            };
        }
        Object counter(final int start) {
            return new Object() {
                int value;
                { value = start * 2; }
                public String toString() { return "v" + value; }
            };
        }
    })";

TEST_F(AnonymousClasses, PrintedInlineWithCapturesSuperArgumentsAndInitializers) {
    std::string text = decompile(kCaptures);
    expectContains(text, {"return new Runnable() {", "System.out.println(t + k + base);",
                          "return new Shape(\"sq\" + side, 4) {", "return side * side;",
                          "int value;\n\n            {\n                value = start * 2;\n            }\n        };"});
    // javac's constructor and capture fields are the compiler's, not the source's.
    expectAbsent(text, {"Outer$", "Not decompiled"});
    expectNoDollar(text);
}

TEST_F(AnonymousClasses, ConstructorReadingFindsWhatEachParameterIsFor) {
    decompile(kCaptures);
    ClassFile shape = classFile("Outer$2");
    const Method* constructor = nullptr;
    for (const Method& m : shape.methods) {
        if (m.name == "<init>") constructor = &m;
    }
    ASSERT_NE(constructor, nullptr);
    auto plan = readAnonymousConstructor(shape, *constructor);
    ASSERT_TRUE(plan);
    // (Outer this$0, String label, int sides, int side): javac puts the
    // captured value after the super constructor's arguments.
    ASSERT_EQ(plan->storedIn.size(), 4u);
    EXPECT_EQ(plan->storedIn[0], "this$0");
    EXPECT_EQ(plan->storedIn[1], "");
    EXPECT_EQ(plan->storedIn[2], "");
    EXPECT_EQ(plan->storedIn[3], "val$side");
    EXPECT_EQ(plan->superArguments, (std::vector<size_t>{1, 2}));
    EXPECT_FALSE(plan->initializer);
    ClassFile counter = classFile("Outer$3");
    for (const Method& m : counter.methods) {
        if (m.name != "<init>") continue;
        auto counterPlan = readAnonymousConstructor(counter, m);
        ASSERT_TRUE(counterPlan);
        EXPECT_TRUE(counterPlan->initializer);
    }
}

TEST_F(AnonymousClasses, NestedInAnonymousClassesAndLambdasWithoutDebugInfo) {
    std::string text = decompile(R"(
        import java.util.concurrent.Callable;
        public class Outer {
            String tag = "t";
            Runnable twice(final int depth) {
                return new Runnable() {
                    public void run() {
                        final String inner = "d" + depth;
                        Runnable nested = new Runnable() {
                            public void run() { System.out.println(inner + depth + tag); }
                        };
                        nested.run();
                    }
                };
            }
            Callable lambda(final String word) {
                return () -> new Object() { public String toString() { return word + tag; } }.toString();
            }
        })", "--release 8");
    // Without debug information the locals are typed from their values;
    // an anonymous class has no name to declare them with.
    expectContains(text, {"Runnable runnable = new Runnable() {", "runnable.run();", "System.out.println(s + i + tag);", "+ Outer.this.tag;"});
    expectAbsent(text, {"Not decompiled"});
    expectNoDollar(text);
}

TEST_F(AnonymousClasses, LocalClassesBecomeMemberClassesTakingTheirCaptures) {
    std::string text = decompile(R"(
        public class Outer {
            int offset = 100;
            int instance(final int k) {
                class L { int x() { return k + offset; } }
                return new L().x();
            }
            static int twice(final int k) {
                class L { int x() { return k * 2; } }
                return new L().x();
            }
        })");
    expectContains(text, {"class L {", "static class L2 {", "final int k;", "return new L(k).x();",
                          "return new L2(k).x();", "return k + offset;"});
    expectAbsent(text, {"// member class", "Outer.this = "});
    expectNoDollar(text);
}

// A class declared inside an anonymous class has no qualified name; only its
// simple name, in scope in the anonymous class's body, can create it.
TEST_F(AnonymousClasses, MemberOfAnAnonymousClassIsNamedSimply) {
    std::string text = decompile(R"(
        public class Outer {
            Object make(final String s) {
                return new Object() {
                    class Entry { String v() { return s; } }
                    public String toString() { return new Entry().v(); }
                };
            }
        })");
    expectContains(text, {"class Entry {", "new Entry()"});
    expectAbsent(text, {"Outer$1"});
}

TEST_F(AnonymousClasses, EnumSwitchMapClassIsNeverPrinted) {
    std::string text = decompile(R"(
        public class Outer {
            enum Color { RED, GREEN }
            static int code(Color c) {
                switch (c) { case RED: return 1; default: return 2; }
            }
        })");
    expectAbsent(text, {"// member class", "SwitchMap\n", "new Object() {"});
}

// An anonymous instance has no name for `C.this`: a lambda's body inside it
// names the instance's members simply where the lambda's own class (its
// interface and Object) has nothing of that name, and falls back otherwise.
TEST_F(AnonymousClasses, LambdaInsideAnAnonymousClassNamesItsMembersSimplyOrFallsBack) {
    const std::string text = decompile(
        "import java.util.function.Supplier;\n"
        "public class Outer {\n"
        "    int outer = 2;\n"
        "    Object make() {\n"
        "        return new Object() {\n"
        "            int node = 4;\n"
        "            int twice() { return node * 2; }\n"
        "            Supplier<Integer> get() { return () -> node + twice() + outer; }\n"
        "            Supplier<Integer> hash() { return () -> hashCode(); }\n"
        "            Supplier<Object> self() { return () -> this; }\n"
        "        };\n"
        "    }\n"
        "}\n");
    expectContains(text, {"Integer.valueOf(node + twice() + outer)",
                          "lambda refers to an enclosing anonymous instance"});
    expectAbsent(text, {"Outer$1.this", "return hashCode();", "return this;"});
}

}  // namespace
}  // namespace jad
