#include <gtest/gtest.h>

#include "decl/parts/SignatureText.h"

namespace jad {
namespace {

TEST(SignatureText, ClassesWithBoundsAndParameterizedSupertypes) {
    EXPECT_EQ(classSignatureText("<K::Ljava/lang/Comparable<TK;>;V:Ljava/lang/Object;>Ljava/util/AbstractMap<TK;TV;>;"
                                 "Ljava/io/Serializable;",
                                 "class", "Tree"),
              "class Tree<K extends Comparable<K>, V> extends AbstractMap<K, V> implements Serializable");
    EXPECT_EQ(classSignatureText("<T:Ljava/lang/Number;:Ljava/lang/Runnable;>Ljava/lang/Object;Ljava/util/List<TT;>;",
                                 "interface", "Both"),
              "interface Both<T extends Number & Runnable> extends List<T>");
}

TEST(SignatureText, FieldsWithWildcardsInnerClassesAndArrays) {
    EXPECT_EQ(fieldSignatureText("Ljava/util/Map<+Ljava/lang/Number;-TT;>;", "m"), "Map<? extends Number, ? super T> m");
    EXPECT_EQ(fieldSignatureText("Lp/Outer<TT;>.Inner<*>;", "i"), "Outer<T>.Inner<?> i");
    EXPECT_EQ(fieldSignatureText("[[TT;", "grid"), "T[][] grid");
    EXPECT_EQ(fieldSignatureText("Ljava/util/Map$Entry<TK;TV;>;", "e"), "Map.Entry<K, V> e");
}

TEST(SignatureText, MethodsNameTheirParametersFromTheEnd) {
    EXPECT_EQ(methodSignatureText("<T:Ljava/lang/Object;E:Ljava/lang/Exception;>(Ljava/util/List<TT;>;I)TT;^TE;",
                                  "first", {"list", "n"}, false),
              "<T, E extends Exception> T first(List<T> list, int n) throws E");
    // An inner class's constructor signature leaves out the outer instance.
    EXPECT_EQ(methodSignatureText("(Ljava/util/List<TT;>;)V", "Inner", {"outer", "items"}, true),
              "Inner(List<T> items)");
}

TEST(SignatureText, MalformedSignaturesGiveNothing) {
    for (const char* bad : {"", "<T>", "Ljava/util/List<TT;", "(TT;", "()", "()V^", "[", "<:Ljava/lang/Object;>"}) {
        EXPECT_FALSE(methodSignatureText(bad, "m", {}, false)) << bad;
        EXPECT_FALSE(fieldSignatureText(bad, "f")) << bad;
    }
    EXPECT_FALSE(fieldSignatureText(std::string(100000, '['), "deep"));
    EXPECT_FALSE(fieldSignatureText(std::string(100, 'L') + "x<" , "f"));
}

}  // namespace
}  // namespace jad
