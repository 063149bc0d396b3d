// The plumbing of inner and static nested classes: outer instances,
// accessors, creation, and the names the output gives them.
#include <gtest/gtest.h>

#include "JadExpectations.h"

namespace jad {
namespace {

using test::expectAbsent;
using test::expectContains;
using test::expectNoDollar;

class MemberClasses : public ::testing::Test {
protected:
    // Compiles `source` (class Outer) and returns jad's output for Outer.class.
    std::string decompile(const std::string& source, const std::string& javacOptions = "--release 8 -g") {
        return test::decompileOuter(dir, source, javacOptions);
    }

    test::TempDir dir;
};

const char* const kFieldAccess = R"(
    public class Outer {
        private int count;
        private long total;
        private String label = "";
        private static int created;
        private byte small;
        class Inner {
            int run(int v) {
                count++;
                int a = ++count;
                int b = count--;
                total += v;
                label += "!";
                label = label + v;
                created *= 3;
                small += 2;
                return a + b + count + (int) total + created;
            }
        }
    })";

TEST_F(MemberClasses, AccessorsBecomeTheFieldAccessTheyStandFor) {
    std::string text = decompile(kFieldAccess);
    expectContains(text, {"count++;", "int a = ++count;", "int b = count--;", "total += ", "label += \"!\";",
                          "label += v;", "Outer.created *= 3;", "small += 2;"});
    expectNoDollar(text);
}

TEST_F(MemberClasses, NestmatesNeedNoAccessorsAndReadTheSame) {
    std::string text = decompile(kFieldAccess, "--release 17 -g");
    expectContains(text, {"count++;", "total += ", "Outer.created *= 3;"});
    expectNoDollar(text);
}

TEST_F(MemberClasses, OuterMembersAreQualifiedOnlyWhenHidden) {
    std::string text = decompile(R"(
        public class Outer {
            private int x = 1, y = 2;
            private int twice(int v) { return 2 * v; }
            private int same() { return 0; }
            class Inner {
                int x = 10;
                int same(int k) { return k; }
                int sum() { return x + Outer.this.x + y + twice(y) + Outer.this.same(); }
                Outer self() { return Outer.this; }
            }
        })");
    expectContains(text, {"return x + Outer.this.x + y + twice(y) + Outer.this.same();", "return Outer.this;"});
    expectNoDollar(text);
}

TEST_F(MemberClasses, CreationPassesTheOuterInstanceImplicitlyOrQualified) {
    std::string text = decompile(R"(
        public class Outer {
            class Inner { int v; Inner(int v) { this.v = v; } }
            private static class Hidden { private Hidden() {} }
            Inner make() { return new Inner(1); }
            static Inner makeFrom(Outer o) { return o.new Inner(2); }
            static Object hidden() { return new Hidden(); }
        })");
    expectContains(text, {"return new Inner(1);", "return o.new Inner(2);", "return new Hidden();",
                          "Inner(int v) {\n            this.v = v;\n        }"});
    expectAbsent(text, {"requireNonNull", "super();", "null)"});
    expectNoDollar(text);
}

TEST_F(MemberClasses, InnerClassesOfInnerClassesAndTheirSubclasses) {
    std::string text = decompile(R"(
        public class Outer {
            int level = 1;
            class Middle {
                class Innermost { int up() { return level + 1; } }
            }
            class Base { String tag; Base(String tag) { this.tag = tag; } }
            class Derived extends Base { Derived() { super("d"); } }
            Object make() { return new Middle().new Innermost(); }
        })");
    expectContains(text, {"return level + 1;", "super(\"d\");", "new Middle().new Innermost()"});
    expectNoDollar(text);
}

TEST_F(MemberClasses, SuperCallsThroughAnOuterInstanceFallBack) {
    // `Outer.this.super.m()`-like accessors have no source form in the dialect.
    std::string text = decompile(R"(
        class Base { protected String name() { return "base"; } }
        public class Outer extends Base {
            protected String name() { return "outer"; }
            class Inner { String viaSuper() { return Outer.super.name(); } }
        })");
    expectContains(text, {"unrecognised accessor"});
}

}  // namespace
}  // namespace jad
