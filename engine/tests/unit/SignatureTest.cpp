#include <gtest/gtest.h>

#include "classfile/Signature.h"
#include "decl/parts/GenericText.h"

namespace jad {
namespace {

// Names classes by their simple names, member classes as Outer.Inner.
class SimpleNames : public TypeNamer {
public:
    std::string className(const std::string& internalName) const override {
        std::string name = internalName.substr(internalName.rfind('/') + 1);
        for (char& c : name) {
            if (c == '$') c = '.';
        }
        return name;
    }
};

std::string methodText(const std::string& signature) {
    auto parsed = parseMethodSignature(signature);
    if (!parsed) return "malformed";
    SimpleNames names;
    std::string text = typeParameterList(parsed->typeParameters, names);
    text += (text.empty() ? "" : " ") + genericTypeName(parsed->result, names) + " (";
    for (size_t i = 0; i < parsed->parameters.size(); ++i) {
        text += (i ? ", " : "") + genericTypeName(parsed->parameters[i], names);
    }
    text += ")";
    for (size_t i = 0; i < parsed->exceptions.size(); ++i) {
        text += (i ? ", " : " throws ") + genericTypeName(parsed->exceptions[i], names);
    }
    return text;
}

std::string fieldText(const std::string& signature) {
    auto parsed = parseFieldSignature(signature);
    return parsed ? genericTypeName(*parsed, SimpleNames()) : "malformed";
}

// Signatures of the JDK's own classes, the shapes that trip a reader.
TEST(Signature, JdkMethodSignatures) {
    EXPECT_EQ(methodText("<K::Ljava/lang/Comparable<-TK;>;V:Ljava/lang/Object;>()Ljava/util/Comparator<"
                         "Ljava/util/Map$Entry<TK;TV;>;>;"),
              "<K extends Comparable<? super K>, V> Comparator<Map.Entry<K, V>> ()");
    EXPECT_EQ(methodText("<T:Ljava/lang/Object;:Ljava/lang/Comparable<-TT;>;>(Ljava/util/Collection<+TT;>;)TT;"),
              "<T extends Object & Comparable<? super T>> T (Collection<? extends T>)");
    EXPECT_EQ(methodText("<X:Ljava/lang/Throwable;>(Ljava/util/function/Supplier<+TX;>;)TT;^TX;"),
              "<X extends Throwable> T (Supplier<? extends X>) throws X");
    EXPECT_EQ(methodText("<R:Ljava/lang/Object;A:Ljava/lang/Object;>(Ljava/util/stream/Collector<-TT;TA;TR;>;)TR;"),
              "<R, A> R (Collector<? super T, A, R>)");
    EXPECT_EQ(methodText("([TT;I[[J)V^Ljava/io/IOException;^Ljava/lang/InterruptedException;"),
              "void (T[], int, long[][]) throws IOException, InterruptedException");
}

TEST(Signature, ClassSignaturesWithRecursiveBounds) {
    auto parsed = parseClassSignature("<E:Ljava/lang/Enum<TE;>;>Ljava/lang/Object;Ljava/lang/constant/Constable;"
                                      "Ljava/lang/Comparable<TE;>;Ljava/io/Serializable;");
    ASSERT_TRUE(parsed);
    SimpleNames names;
    EXPECT_EQ(typeParameterList(parsed->typeParameters, names), "<E extends Enum<E>>");
    EXPECT_EQ(parsed->superclass.className(), "java/lang/Object");
    ASSERT_EQ(parsed->interfaces.size(), 3u);
    EXPECT_EQ(genericTypeName(parsed->interfaces[1], names), "Comparable<E>");
    // Only interface bounds: the class bound is left empty.
    parsed = parseClassSignature("<T::Ljava/lang/Runnable;:Ljava/io/Closeable;>Ljava/lang/Object;");
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->typeParameters[0].classBound);
    EXPECT_EQ(typeParameterList(parsed->typeParameters, names), "<T extends Runnable & Closeable>");
    // A superclass must be a class type.
    EXPECT_FALSE(parseClassSignature("<T:Ljava/lang/Object;>TT;"));
    EXPECT_FALSE(parseClassSignature("[Ljava/lang/Object;"));
}

TEST(Signature, InnerClassesOfGenericClasses) {
    // The outer class keeps its arguments; the inner ones follow by simple name.
    EXPECT_EQ(fieldText("Lp/Outer<TT;>.Inner<TU;>.Deeper;"), "Outer<T>.Inner<U>.Deeper");
    EXPECT_EQ(fieldText("Lp/Outer<TT;>.Inner;"), "Outer<T>.Inner");
    // Without arguments on the outer classes, the member class by its own name.
    EXPECT_EQ(fieldText("Ljava/util/Map$Entry<TK;TV;>;"), "Map.Entry<K, V>");
    auto parsed = parseFieldSignature("Lp/Outer<TT;>.Inner<TU;>.Deeper;");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->className(), "p/Outer$Inner$Deeper");
    EXPECT_TRUE(parsed->hasArguments());
}

TEST(Signature, WildcardsAndArrays) {
    EXPECT_EQ(fieldText("Ljava/util/Map<*+[Ljava/lang/Number;>;"), "Map<?, ? extends Number[]>");
    EXPECT_EQ(fieldText("[Ljava/util/List<[I>;"), "List<int[]>[]");
    SimpleNames names;
    auto varargs = parseFieldSignature("[[TT;");
    ASSERT_TRUE(varargs);
    EXPECT_EQ(varargsTypeName(*varargs, names), "T[]...");
}

TEST(Signature, ErasureFollowsTheFirstBound) {
    auto method = parseMethodSignature("<T:Ljava/lang/Number;U::Ljava/lang/Runnable;V:Ljava/lang/Object;>(TT;[TU;TV;)V");
    ASSERT_TRUE(method);
    std::vector<const std::vector<TypeParameter>*> scopes{&method->typeParameters};
    EXPECT_EQ(erasure(method->parameters[0], scopes).descriptor(), "Ljava/lang/Number;");
    EXPECT_EQ(erasure(method->parameters[1], scopes).descriptor(), "[Ljava/lang/Runnable;");
    EXPECT_EQ(erasure(method->parameters[2], scopes).descriptor(), "Ljava/lang/Object;");
}

TEST(Signature, MalformedTextGivesNothing) {
    for (const char* bad : {"", "<>Ljava/lang/Object;", "<T>", "Ljava/util/List<TT;", "(TT;", "()", "()V^", "[",
                            "<:Ljava/lang/Object;>", "Ljava/util/List<>;", "TT", "T;", "Lp/A<TT;>.q/B;", "Q",
                            "Ljava/lang/Object;Ljava/lang/Object;", "Ljava/lang/Str;ing;"}) {
        EXPECT_FALSE(parseMethodSignature(bad)) << bad;
        EXPECT_FALSE(parseFieldSignature(bad)) << bad;
    }
    EXPECT_FALSE(parseMethodSignature("(I)V;"));
    EXPECT_FALSE(parseMethodSignature("(V)V"));
    // Nesting far beyond a compiler's is refused, not recursed into.
    EXPECT_FALSE(parseFieldSignature(std::string(100000, '[') + "I"));
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "La<";
    EXPECT_FALSE(parseFieldSignature(deep + "TT;"));
}

}  // namespace
}  // namespace jad
