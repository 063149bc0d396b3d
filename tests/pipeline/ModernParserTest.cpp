// The modern grammar: Java up to 25 into the same records as the classic one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decompiler/DecompilerImpl.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"

using products::zefra::decompiler::parser::JavaDialect;
using products::zefra::decompiler::parser::ParserException;
using products::zefra::decompiler::parser::ParserImpl;

namespace {

std::string parseModern(const std::string& text)
{
    ParserImpl parser(JavaDialect::Modern);
    return parser.parse(text);
}

std::string parseClassic(const std::string& text)
{
    ParserImpl parser;
    return parser.parse(text);
}

// The line of the ParserException the text raises; -2 when it parses.
int modernErrorLineOf(const std::string& text)
{
    try {
        parseModern(text);
    } catch (const ParserException& error) {
        EXPECT_EQ("A parsing error occurred.", error.getMessage());
        EXPECT_EQ(text, error.getText());
        return error.getLine();
    }
    return -2;
}

struct Example {
    const char* text;
    const char* result;
};

void expectResults(const std::vector<Example>& examples)
{
    for (const Example& example : examples) {
        try {
            EXPECT_EQ(example.result, parseModern(example.text)) << example.text;
        } catch (const ParserException& error) {
            ADD_FAILURE() << "does not parse (line " << error.getLine() << "): " << example.text;
        }
    }
}

}

TEST(ModernGrammar, ClassicTextsGiveTheClassicRecords)
{
    for (const char* text : {
             "public class Foo extends Bar implements Runnable { public Foo(int a) { } private int x = 5, y; "
             "static class Inner { void m() { } } }",
             "// c\npackage p;\n\npublic class A\n{\npublic A() { }\nint x;\n}\n", "class A { };;; class B { }",
             "class A { int[][] m = {{1,2},{3}}; }",
             "class A { void f(String[] args, final int n, int a[][])[] { } }",
             "public abstract class A { protected abstract int f() throws E, F; A() throws G { super(); } }",
             "class A { Object o = new Object() { public String toString() { return \"a\"; } }; int z; }",
             "class A { static { new Thread() { public void run() { } }.start(); } }",
             "class A { Object o = new Object() { class B { int k; } }; }",
             "class A { Object c = Outer.this.x ? A.class : int.class; }"}) {
        EXPECT_EQ(parseClassic(text), parseModern(text)) << text;
    }
    // The texts of initializers may differ: a creation keeps its blank.
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;a=new int[5],o=new Object();",
              parseModern("class A { int a = new int[5], o = new Object(); }"));
    // And an interface's members are public, as the class file has them.
    EXPECT_EQ("0;0;0;package;I;1;0;2;public;X=1;1;0;1;public;f();", parseModern("interface I { int X = 1; void f(); }"));
}

TEST(ModernGrammar, GenericsAndAnnotations)
{
    expectResults({
        {"class A<K, V extends Comparable<? super V>> { Map<K, List<Map<V, K>>> m; "
         "<T extends Number & Runnable> T f(List<? extends T> a, Map<String, int[]>[] b) { return null; } }",
         "0;0;0;package;A;1;0;2;package;m;1;0;1;package;f(List<? extends T> a, Map<String, int []> [] b);"},
        // Shifts in bodies and initializers are operators, not closing brackets.
        {"class A { int x = a >> 2 >>> b, y = a < b ? 1 : 2; void f() { x >>= 1; x >>>= 2; g(a < b, c > d); } }",
         "0;0;0;package;A;1;0;2;package;x=a>>2>>>b,y=a<b?1:2;1;0;1;package;f();"},
        {"@Deprecated @SuppressWarnings({\"a\", \"b\"}) public class A { @Override public String toString() "
         "{ return \"\"; } void f(@NonNull final String s, @A(1) int... n) { } "
         "java.util.@NonNull List<@NonNull String> g() { return null; } }",
         "0;0;0;public;A;1;0;1;public;toString();1;0;1;package;f(final String s, int... n);"
         "1;0;1;package;g();"},
        {"class A { <T> A(T t) throws IOException, E { } public <T> void g() { } }",
         "0;0;0;package;A;1;0;1;package;A(T t);1;0;1;public;g();"},
        {"class A { Map<String, Integer> m = new HashMap<String, Integer>(), n = new HashMap<>(); }",
         "0;0;0;package;A;1;0;2;package;m=new HashMap<String, Integer>(),n=new HashMap<>();"},
    });
}

TEST(ModernGrammar, EnumConstantsAreFieldsAndTheirBodiesAnonymous)
{
    expectResults({
        {"public enum E implements Runnable {\n  A, B(1) { public void run() { } },\n  @Deprecated C(2, \"c\");\n"
         "  private final int code;\n  E() { this(0); }\n  E(int c, Object... o) { code = c; }\n"
         "  public void run() { }\n}\n",
         "0;0;0;public;E;1;1;2;public static final;A;1;1;2;public static final;B;1;1;1;public;run();"
         "1;2;2;public static final;C;1;3;2;private final;code;1;4;1;package;E();"
         "1;5;1;package;E(int c, Object... o);1;6;1;public;run();"
         "1;0;1;public static;values();1;0;1;public static;valueOf(String name);"},
        {"enum E { }", "0;0;0;package;E;1;0;1;public static;values();1;0;1;public static;valueOf(String name);"},
        {"enum E { A, B, }", "0;0;0;package;E;1;0;2;public static final;A;1;0;2;public static final;B;"
                             "1;0;1;public static;values();1;0;1;public static;valueOf(String name);"},
        {"enum E { ; static int n; }",
         "0;0;0;package;E;1;0;2;static;n;1;0;1;public static;values();1;0;1;public static;valueOf(String name);"},
    });
}

// The members the compiler adds are recorded unless the body declares them.
TEST(ModernGrammar, RecordComponentsAreFieldsAndCompactConstructorsNamedByThem)
{
    const char* const objectMethods =
        "public final;equals(Object o);1;0;1;public final;hashCode();1;0;1;public final;toString();";
    expectResults({
        {"public record P<T>(int x, @NonNull List<T> ys, String... rest) implements I {\n"
         "  public P {\n    if (x < 0) throw new IllegalArgumentException();\n  }\n"
         "  P(int x) { this(x, List.of()); }\n  static P origin() { return new P(0, null); }\n}\n",
         "0;0;0;public;P;1;0;2;private final;x;1;0;2;private final;ys;1;0;2;private final;rest;"
         "1;1;1;public;P(int x, List<T> ys, String... rest);1;4;1;package;P(int x);1;5;1;static;origin();"
         "1;0;1;public;x();1;0;1;public;ys();1;0;1;public;rest();1;0;1;public final;equals(Object o);"
         "1;0;1;public final;hashCode();1;0;1;public final;toString();"},
        // Without a constructor of its own a record has the canonical one, of its own access.
        {"protected record R() { }", (std::string("0;0;0;protected;R;1;0;1;") + objectMethods + "1;0;1;protected;R();").c_str()},
        // Declared accessors and methods are not recorded twice.
        {"record Q(int a, int b) {\n  public int a() { return a; }\n  public String toString() { return \"\"; }\n"
         "  Q(int a, int b) { this.a = a; this.b = b; }\n}\n",
         "0;0;0;package;Q;1;0;2;private final;a;1;0;2;private final;b;1;1;1;public;a();1;2;1;public;toString();"
         "1;3;1;package;Q(int a, int b);1;0;1;public;b();1;0;1;public final;equals(Object o);"
         "1;0;1;public final;hashCode();"},
        // A nested record's compact constructor takes its own components.
        {"record O(int a) { record I(long b) { I { } } O { } }",
         "0;0;0;package;O;1;0;2;private final;a;1;0;0;package;I;2;0;2;private final;b;2;0;1;package;I(long b);"
         "2;0;1;public;b();2;0;1;public final;equals(Object o);2;0;1;public final;hashCode();"
         "2;0;1;public final;toString();1;0;1;package;O(int a);1;0;1;public;a();1;0;1;public final;equals(Object o);"
         "1;0;1;public final;hashCode();1;0;1;public final;toString();"},
        // Methods of an anonymous class in a record are not the record's.
        {"record S(int a) { static Object o = new Object() { public String toString() { return \"\"; } }; }",
         "0;0;0;package;S;1;0;2;private final;a;1;0;1;public;toString();1;0;2;static;o=new Object();"
         "1;0;1;public;a();1;0;1;public final;equals(Object o);1;0;1;public final;hashCode();"
         "1;0;1;public final;toString();1;0;1;package;S(int a);"},
    });
}

TEST(ModernGrammar, InterfacesAnnotationTypesAndSealedHierarchies)
{
    expectResults({
        {"public sealed interface S permits A, B { double area(); default String d() { return \"\"; } "
         "static S of() { return null; } private int h() { return 1; } }",
         "0;0;0;public sealed;S;1;0;1;public;area();1;0;1;public default;d();1;0;1;public static;of();"
         "1;0;1;private;h();"},
        // Member classes of an interface are public too; local classes have no access.
        {"interface I { class C { int n; } default void f() { class L { int m; } } protected interface J { } }",
         "0;0;0;package;I;1;0;0;public;C;2;0;2;package;n;1;0;0;package;L;2;0;2;package;m;1;0;1;public default;f();"
         "1;0;0;protected;J;"},
        {"final class A implements S { } non-sealed class B implements S { } sealed class C permits D { }",
         "0;0;0;final;A;0;0;0;non-sealed;B;0;0;0;sealed;C;"},
        {"public @interface M { int value() default 5; String[] names() default {\"a\"}; Class<?> c(); "
         "E e() default E.A; }",
         "0;0;0;public;M;1;0;1;public;value();1;0;1;public;names();1;0;1;public;c();1;0;1;public;e();"},
    });
}

TEST(ModernGrammar, BodiesAddOnlyWhatDeclaresAClass)
{
    expectResults({
        // Lambdas, method references, switch expressions and patterns add nothing.
        {"class A { void f() {\n"
         "  Runnable r = () -> { int x = 1; }; Function<String, Integer> g = String::length;\n"
         "  Supplier<List<String>> s = ArrayList::new; IntFunction<int[]> h = int[]::new;\n"
         "  var k = switch (n) { case 1, 2 -> \"a\"; case 3 -> { yield \"b\"; } default -> throw new E(); };\n"
         "  if (o instanceof String str && !str.isEmpty()) { }\n"
         "  if (o instanceof Point(int x, var y)) { }\n"
         "  switch (o) { case Point(int x, int y) when x > 0 -> { } case null, default -> { } }\n"
         "  for (var e : map.entrySet()) { } try (var in = open()) { } catch (IOException | E e) { }\n"
         "  assert x > 0 : \"x\"; Class<?> c = int[].class; label: while (true) break label;\n"
         "  this.<String>g(); A.super.toString(); outer.new Inner(); Object[] a = new Object[] { 1, 2 };\n"
         "} }",
         "0;0;0;package;A;1;0;1;package;f();"},
        // Anonymous class members at the depth of the members around them, as
        // in the classic grammar; local classes are member classes.
        {"class A {\n void f() {\n  Object o = new Object() { public String toString() { return \"\"; } };\n"
         "  class L { int y; }\n  record R(int z) { }\n  enum K { X }\n  interface Q { }\n }\n}\n",
         "0;0;0;package;A;1;2;1;public;toString();1;3;0;package;L;2;3;2;package;y;1;4;0;package;R;"
         "2;4;2;private final;z;2;4;1;public;z();2;4;1;public final;equals(Object o);2;4;1;public final;hashCode();"
         "2;4;1;public final;toString();2;4;1;package;R(int z);1;5;0;package;K;2;5;2;public static final;X;"
         "2;5;1;public static;values();2;5;1;public static;valueOf(String name);1;6;0;package;Q;"
         "1;1;1;package;f();"},
        // An anonymous class inside a lambda inside a field's initializer.
        {"class A { Supplier<Object> s = () -> new Object() { int n; }; }",
         "0;0;0;package;A;1;0;2;package;n;1;0;2;package;s=()->new Object();"},
    });
}

TEST(ModernGrammar, LexicalStructureOfModernJava)
{
    expectResults({
        // Names with $ and non-ASCII letters, literals of every kind.
        {"class A$B { int caf\xc3\xa9 = 1_000, b = 0b1010, h = 0x1.8p3 > 1 ? 'x' : '\\u0041'; "
         "String s = \"\\u00e9\\s\"; long l = 0xFFFF_FFFFL; }",
         "0;0;0;package;A$B;1;0;2;package;caf\xc3\xa9=1_000,b=0b1010,h=0x1.8p3>1?'x':'\\u0041';"
         "1;0;2;package;s=\"\\u00e9\\s\";1;0;2;package;l=0xFFFF_FFFFL;"},
        // Every line feed counts: in comments, text blocks and dimensions alike.
        {"class A {\n/* one\n two */\nString t = \"\"\"\n  a \"quoted\" \\\"\"\"\n  \"\"\";\nint x[\n];\nint y;\n}\n",
         "0;0;0;package;A;1;3;2;package;t=\"\"\"\n  a \"quoted\" \\\"\"\"\n  \"\"\";1;6;2;package;x[\n];"
         "1;8;2;package;y;"},
        // Words that are keywords only in some places stay names elsewhere.
        {"class A { int record, sealed, permits, var, yield, module, when; void record(int record) { "
         "if (record instanceof R) { } } }",
         "0;0;0;package;A;1;0;2;package;record,sealed,permits,var,yield,module,when;"
         "1;0;1;package;record(int record);"},
        // A comment that ends in an odd run of stars is a comment.
        {"/***/ class A { /* x **/ int z; }", "0;0;0;package;A;1;0;2;package;z;"},
    });
}

TEST(ModernGrammar, ModuleAndPackageInfo)
{
    expectResults({
        {"/** The module. */\n@Deprecated\nopen module com.example.app {\n  requires transitive java.base;\n"
         "  exports com.example to a.b, c.d;\n  provides com.example.S with com.example.Impl;\n  uses S;\n}\n",
         "0;2;0;open module;com.example.app;"},
        {"module m { }", "0;0;0;module;m;"},
        {"@Deprecated\npackage com.example;\n", ""},
        {"import module java.base;\nimport static java.lang.Math.*;\nclass A { }", "0;2;0;package;A;"},
    });
}

TEST(ModernGrammar, RejectedTexts)
{
    for (const char* text : {"", "// only\n/* comments */", "class A {", "class A { } }", "class A { int x = ; }",
                             "class A { void f() { ( } }", "class A { int x = 1 }", "class A { List<String m; }",
                             "class A { Map<String, List<Integer>>> m; }", "class A { void f() { ) } }",
                             "class A { void f() }", "record R { }", "enum E { A B }", "class A { \"unclosed }"}) {
        EXPECT_NE(-2, modernErrorLineOf(text)) << text;
    }
    EXPECT_EQ(2, modernErrorLineOf("class A {\n/*\n*/ int x = ; }"));
}

TEST(ModernGrammar, DeepNestingOverflowsTheStackCleanly)
{
    EXPECT_NE(-2, modernErrorLineOf("class A { int x = " + std::string(20000, '(') + "1; }"));
    EXPECT_NE(-2, modernErrorLineOf("class A { void f() { " + std::string(20000, '{') + " } }"));
    std::string nested = "class A { void f() { " + std::string(1000, '{') + std::string(1000, '}') + " } }";
    EXPECT_EQ("0;0;0;package;A;1;0;1;package;f();", parseModern(nested));
}

// An unterminated literal longer than the scanner's buffer makes it grow the
// buffer while the end of input is read; nothing of the old buffer is used.
TEST(ModernGrammar, UnterminatedLiteralAtTheEndOfALongInput)
{
    EXPECT_NE(-2, modernErrorLineOf("class A { } \"" + std::string(200000, '$')));
    EXPECT_NE(-2, modernErrorLineOf("class A { } \"\"\"\n" + std::string(200000, 'x')));
    EXPECT_EQ("0;0;0;package;B;", parseModern("class B { }"));
}

TEST(ModernGrammar, TheFacadeUsesTheModernGrammarWhenAsked)
{
    namespace zd = products::zefra::decompiler;
    const std::string text = "public record P(int x) { }";
    std::unique_ptr<zd::ClassStructure> root =
        zd::DecompilerImpl(JavaDialect::Modern).createClassStructure(text.data(), text.size());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("P", root->getNameAndLine().getName());
    ASSERT_EQ(1u, root->getPrivateFields().size());
    EXPECT_EQ("x", root->getPrivateFields()[0].getName());
    EXPECT_THROW(zd::DecompilerImpl().createClassStructure(text.data(), text.size()), ParserException);
}
