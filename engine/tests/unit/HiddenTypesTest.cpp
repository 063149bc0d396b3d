// A call's argument is cast to its parameter's type where overloads could
// otherwise select another method; when that type is a class the caller
// cannot name (package-private in another package, a private member class
// of another class), the cast would not compile and the source had none:
// the argument goes as it is, and the same method is still called.
#include <gtest/gtest.h>

#include <string>

#include "JavaTestSupport.h"

namespace jad {
namespace {

const char* const BaseSource = R"(
package a;
abstract class Base { public abstract String name(); }
)";

const char* const ImplSource = R"(
package a;
public class Impl extends Base {
    public String name() { return "impl"; }
    public static Impl make() { return new Impl(); }
}
)";

const char* const SinkSource = R"(
package a;
public class Sink {
    final String said;
    public Sink(Base b) { said = "base " + b.name(); }
    public Sink(Object o) { said = "object"; }
    public static String take(Base b) { return "take base"; }
    public static String take(Object o) { return "take object"; }
    public String said() { return said; }
}
)";

const char* const UseSource = R"(
package b;
import a.Impl;
import a.Sink;
public class Use {
    public static void main(String[] args) {
        Impl impl = Impl.make();
        System.out.println(new Sink(impl).said());
        System.out.println(new Sink(Impl.make()).said());
        System.out.println(Sink.take(impl) + " " + Sink.take("s"));
    }
}
)";

// The modern dialect, which reads the class path's other packages.
TEST(HiddenTypes, ArgumentsKeepNoCastToAClassTheCallerCannotName) {
    test::TempDir dir;
    auto built = test::compileJava(dir.path(), {{"a/Base.java", BaseSource}, {"a/Impl.java", ImplSource},
                                                {"a/Sink.java", SinkSource}, {"b/Use.java", UseSource}},
                                   "--release 8");
    ASSERT_EQ(built.status, 0) << built.err;
    const std::string classes = (dir.path() / "classes").string();
    auto before = test::runCommand("java -cp " + classes + " b.Use", dir.path());
    ASSERT_EQ(before.status, 0) << before.err;

    auto jad = test::runJad({"-m", "-p", classes + "/b/Use.class"}, dir.path());
    ASSERT_EQ(jad.status, 0) << jad.err;
    EXPECT_EQ(jad.out.find("(Base)"), std::string::npos) << jad.out;

    auto again = test::compileJava(dir.path() / "again", {{"b/Use.java", jad.out}},
                                   "--release 8 -implicit:none -cp " + classes);
    ASSERT_EQ(again.status, 0) << again.err << jad.out;
    auto after = test::runCommand("java -cp " + (dir.path() / "again/classes").string() + ":" + classes + " b.Use",
                                  dir.path());
    EXPECT_EQ(after.out, before.out) << jad.out;
}

}  // namespace
}  // namespace jad
