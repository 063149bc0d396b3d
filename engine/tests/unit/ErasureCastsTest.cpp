// When an argument of an overloaded call may be cast to its parameter's
// erasure, and the output jad prints for such calls.
#include <gtest/gtest.h>

#include "JadExpectations.h"
#include "body/generics/ErasureCasts.h"

namespace jad::test {
namespace {

Method method(const std::string& descriptor, const std::string& signature) {
    Method m;
    m.name = "m";
    m.descriptor = descriptor;
    m.signature = signature;
    return m;
}

TEST(ErasureCasts, PlainTypesAndTheMethodsOwnVariablesTakeTheCast) {
    // <B extends Appendable> B m(Calendar, B)
    const Method own = method("(Ljava/util/Calendar;Ljava/lang/Appendable;)Ljava/lang/Appendable;",
                              "<B::Ljava/lang/Appendable;>(Ljava/util/Calendar;TB;)TB;");
    EXPECT_TRUE(body::erasureCastFits(own, 0));
    EXPECT_TRUE(body::erasureCastFits(own, 1));
    // <T extends Comparable<? super T>> void m(T[]) and a raw-castable List<String>
    const Method bounded = method("([Ljava/lang/Comparable;Ljava/util/List;)V",
                                  "<T::Ljava/lang/Comparable<-TT;>;>([TT;Ljava/util/List<Ljava/lang/String;>;)V");
    EXPECT_TRUE(body::erasureCastFits(bounded, 0));
    EXPECT_TRUE(body::erasureCastFits(bounded, 1));
    EXPECT_TRUE(body::erasureCastFits(method("(Ljava/lang/Object;)V", ""), 0));
}

TEST(ErasureCasts, ClassVariablesAndUnreadableSignaturesKeepTheArgument) {
    // void m(T, List<T>) of a generic class: the receiver binds T
    const Method classVariable = method("(Ljava/lang/Object;Ljava/util/List;)V", "(TT;Ljava/util/List<TT;>;)V");
    EXPECT_FALSE(body::erasureCastFits(classVariable, 0));
    EXPECT_FALSE(body::erasureCastFits(classVariable, 1));
    // <U extends T> void m(U): U's erasure is T's
    EXPECT_FALSE(body::erasureCastFits(method("(Ljava/lang/Object;)V", "<U:TT;>(TU;)V"), 0));
    // an inner class's constructor: the descriptor has the outer instance first
    EXPECT_FALSE(body::erasureCastFits(method("(LOuter;Ljava/lang/Object;)V", "(TT;)V"), 1));
    EXPECT_FALSE(body::erasureCastFits(method("(Ljava/lang/Object;)V", "(TT"), 0));
}

// The casts print only where another overload could take the argument:
// an array of objects is never an array of primitives.
TEST(ErasureCasts, OverloadsForPrimitiveArraysNeedNoCast) {
    TempDir dir;
    const std::string source = R"(
public class Outer {
    static int n(int[] a) { return 1; }
    static <T> int n(T[] a) { return 2; }
    static String w(StringBuilder b) { return "b"; }
    static <A extends Appendable> String w(A a) { return "a"; }
    int f(String[] s, StringBuilder b) { return n(s) + w((Appendable) b).length(); }
}
)";
    const std::string out = decompileOuter(dir, source, "--release 8");
    expectContains(out, {"n(as)", "w((Appendable)"});
    expectAbsent(out, {"(Object[])"});
}

}  // namespace
}  // namespace jad::test
