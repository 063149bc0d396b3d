#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"

using products::zefra::decompiler::parser::ParserException;
using products::zefra::decompiler::parser::ParserImpl;

namespace {

std::string parse(const std::string& text)
{
    ParserImpl parser;
    return parser.parse(text);
}

// The line of the ParserException the text raises; -2 when it parses.
int errorLineOf(const std::string& text)
{
    try {
        parse(text);
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

}

TEST(ParserImpl, InstanceIsClearedOnDestruction)
{
    {
        ParserImpl parser;
        EXPECT_EQ(&parser, ParserImpl::instance());
    }
    EXPECT_EQ(nullptr, ParserImpl::instance());
}

TEST(ParserImpl, ParsingExamples)
{
    const std::vector<Example> examples = {
        {"package a.b;\nimport x.*;\n", ""},
        {"public class Foo extends Bar implements Runnable { public Foo(int a) { } private int x = 5, y; "
         "static class Inner { void m() { } } }",
         "0;0;0;public;Foo;1;0;1;public;Foo(int a);1;0;2;private;x=5,y;1;0;0;static;Inner;2;0;1;package;m();"},
        {"// c\npackage p;\n\npublic class A\n{\npublic A() { }\nint x;\n}\n",
         "0;3;0;public;A;1;5;1;public;A();1;6;2;package;x;"},
        {"class A {\n/* one\n two */\nint x;\n}\n", "0;0;0;package;A;1;2;2;package;x;"},
        {"class A { };;; class B { }", "0;0;0;package;A;0;0;0;package;B;"},
        {"interface I { int X = 1; void f(); }", "0;0;0;package;I;1;0;2;package;X=1;1;0;1;package;f();"},
        {"class A { int[][] m = {{1,2},{3}}; }", "0;0;0;package;A;1;0;2;package;m=;"},
        {"class A { final static public int X = 1; }", "0;0;0;package;A;1;0;2;final static public;X=1;"},
        {"class A { void f(String[] args, final int n, int a[][])[] { } }",
         "0;0;0;package;A;1;0;1;package;f(String [] args, final int n, int a[][])[];"},
        {"class A { void f() { if (a) if (b) x=1; else x=2; } }", "0;0;0;package;A;1;0;1;package;f();"},
        {"public abstract class A { protected abstract int f() throws E, F; A() throws G { super(); } }",
         "0;0;0;public abstract;A;1;0;1;protected abstract;f();1;0;1;package;A();"},
        {"class A { int c[][], d = 1; String main(String args[]) { return null; } }",
         "0;0;0;package;A;1;0;2;package;c[][],d=1;1;0;1;package;main(String args[]);"},
    };
    for (const Example& example : examples) {
        EXPECT_EQ(example.result, parse(example.text)) << example.text;
    }
}

TEST(ParserImpl, InitializerTexts)
{
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;y=f(1,2)+a.b(c),x=(int)1.5,a=newint[5];"
              "1;0;2;package;o=new Object();1;0;2;package;b=oinstanceofString [];"
              "1;0;2;package;z=(int[])w;",
              parse("class A { int y = f(1, 2) + a.b(c), x = (int) 1.5, a = new int[5]; "
                    "Object o = new Object(); boolean b = o instanceof String[]; int[] z = (int[]) w; }"));
    // A semicolon inside a literal becomes a blank; the text is cut at its first brace.
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;s=\"a b\";1;0;2;package;t=\"x;",
              parse("class A { String s = \"a;b\"; String t = \"x{;}\"; }"));
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;c=Outer.this.x?A.class:int.class;",
              parse("class A { Object c = Outer.this.x ? A.class : int.class; }"));
}

TEST(ParserImpl, ZeroByteInALiteralIsDataNotAFailedCheck)
{
    pipelinetest::TemporaryDirectory directory;
    pipelinetest::CurrentDirectoryScope scope(directory.path());
    EXPECT_EQ(std::string("0;0;0;package;A;1;0;2;package;z=\"a\0 b\";", 39),
              parse(std::string("class A { String z = \"a\0;b\"; }", 30)));
    EXPECT_FALSE(std::ifstream("assertion.txt").good());
}

TEST(ParserImpl, AnonymousClassMembersComeFirstAtTheEnclosingDepth)
{
    EXPECT_EQ("0;0;0;package;A;1;0;1;public;toString();1;0;2;package;o=new Object();1;0;2;package;z;",
              parse("class A { Object o = new Object() { public String toString() { return \"a\"; } }; int z; }"));
    EXPECT_EQ("0;0;0;package;A;1;0;1;public;run();",
              parse("class A { static { new Thread() { public void run() { } }.start(); } }"));
    EXPECT_EQ("0;0;0;package;A;1;0;2;private;n;1;0;1;package;f();",
              parse("class A { void f() { g(new Object() { private int n; }); } }"));
    // A member class inside an anonymous body still nests.
    EXPECT_EQ("0;0;0;package;A;1;0;0;package;B;2;0;2;package;k;1;0;2;package;o=new Object();",
              parse("class A { Object o = new Object() { class B { int k; } }; }"));
}

TEST(ParserImpl, StatementsAreAccepted)
{
    const char* body =
        "class A { void f() throws Exception {\n"
        "  final int n = 1; int[] a = new int[n][];\n"
        "  label: for (int i = 0; i < n; i++) { if (i == 2) continue label; else break; }\n"
        "  for (;;) ; for (i = 0, j = 1; i < j; i++, j--) x += i << 2 >>> 1;\n"
        "  while (!done) { done = ~x != 0 && (x & 3) == 1 || y instanceof B; }\n"
        "  do x--; while (x > 0);\n"
        "  switch (x) { case 1: case A.B: y = -x; break; default: y = +x; }\n"
        "  try { throw new E(\"m\"); } catch (E e) { } catch (F) { } finally { }\n"
        "  synchronized (this) { this.x = super.y; } ;\n"
        "  y = x > 0 ? (double) x / 3 % 2 : (float[]) null; z = (String[]) o; w = (x)y; ++i; --j;\n"
        "  a[0][i] = f(i)[0]; o.new Inner(); java.lang.String.valueOf(1).length();\n"
        "  return;\n"
        "} }";
    EXPECT_EQ("0;0;0;package;A;1;0;1;package;f();", parse(body));
}

TEST(ParserImpl, RejectedTexts)
{
    for (const char* text : {
             "", "// only\n/* comments */", "class A { void f() { class L { } } }", "class A { int goto; }",
             "class A { void f() { const: x = 1; } }", "class A { Class c = int[].class; }",
             "class A { int this$0; }", "class A { int x; /* unclosed }", "class A {", "class A { } }",
             "class A { strictfp void f() { } }", "class A { void f() { assert x > 0; } }", "import a;;; x",
             "class A { int x = 1 }", "class A { void f() { int x = 1, ; } }"}) {
        EXPECT_NE(-2, errorLineOf(text)) << text;
    }
}

// Words once set aside for the future are plain names in Java, and the
// engine prints members of those names as the class file has them.
TEST(ParserImpl, FormerlyReservedWordsAreNames)
{
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;cast,future,generic,inner,operator,outer,rest,var;"
              "1;0;1;package;cast(Object outer);1;0;1;static;var(int rest);",
              parse("class A { int cast, future, generic, inner, operator, outer, rest, var; "
                    "Object cast(Object outer) { return (Unsafe)k.cast(outer); } "
                    "static void var(int rest) { rest = (int)Preconditions.check(rest); } }"));
    const char* uses =
        "class A { void f() {\n"
        "  nodeOrder = builder.nodeOrder.cast(); future = f; return this.inner.generic();\n"
        "  outer: for (;;) { break outer; } inner: while (x) continue inner;\n"
        "  I i = outer.new I(); A.rest r = operator.var[0];\n"
        "  try { } catch (E cast) { }\n"
        "} }";
    EXPECT_EQ("0;0;0;package;A;1;0;1;package;f();", parse(uses));
    // Classes and their constructors may have those names too.
    EXPECT_EQ("0;0;0;package;outer;1;0;1;public;outer(int inner);1;0;0;package;cast;",
              parse("class outer { public outer(int inner) { } class cast { } }"));
}

// An inner class instance made on any outer expression, not only a name.
TEST(ParserImpl, InnerClassCreationOnAnyOuterInstance)
{
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;a=this.new Inner(1),b=O.this.new Inner();"
              "1;0;2;package;c=f().new B().new C(x),d=(o).new D();1;0;2;package;e=a[0].new E();",
              parse("class A { Inner a = this.new Inner(1), b = O.this.new Inner(); "
                    "C c = f().new B().new C(x), d = (o).new D(); E e = a[0].new E(); }"));
    // With a body of its own, whose members nest at the enclosing depth.
    EXPECT_EQ("0;0;0;package;A;1;0;1;public;run();1;0;1;package;f();",
              parse("class A { void f() { this.new Task() { public void run() { } }.start(); } }"));
}

TEST(ParserImpl, ErrorCarriesTextAndLineAndDropsEarlierRecords)
{
    EXPECT_EQ(0, errorLineOf(""));
    EXPECT_EQ(2, errorLineOf("// a\n// b\n"));
    EXPECT_EQ(1, errorLineOf("class A {\n int goto;\n int x; }"));
    // A line feed inside a comment is not counted for the error line either.
    EXPECT_EQ(1, errorLineOf("/*\n*/\nclass A { int const; }"));
}

TEST(ParserImpl, DeepNestingOverflowsTheStackCleanly)
{
    std::string expression(20000, '(');
    EXPECT_NE(-2, errorLineOf("class A { int x = " + expression + "1; }"));
    // Nesting below the limit is accepted.
    std::string nested = "class A { int x = " + std::string(1000, '(') + "1" + std::string(1000, ')') + "; }";
    EXPECT_EQ("0;0;0;package;A;1;0;2;package;x=" + std::string(1000, '(') + "1" + std::string(1000, ')') + ";",
              parse(nested));
}

TEST(ParserImpl, DeeplyNestedClassesKeepTheirDepths)
{
    std::string text;
    std::string expected;
    const int levels = 500;
    for (int depth = 0; depth < levels; ++depth) {
        text += "class C" + std::to_string(depth) + " { ";
        expected += std::to_string(depth) + ";0;0;package;C" + std::to_string(depth) + ";";
    }
    text += std::string(levels * 2, ' ');
    for (int depth = 0; depth < levels; ++depth) {
        text += "} ";
    }
    EXPECT_EQ(expected, parse(text));
}

TEST(ParserImpl, ParsersInTurnDoNotShareState)
{
    EXPECT_NE(-2, errorLineOf("class A { int x; } class B { void f() { class L { } } }"));
    EXPECT_EQ("0;0;0;package;C;", parse("class C { }"));
    ParserImpl parser;
    EXPECT_EQ("0;0;0;package;D;", parser.parse("class D { }"));
    // A second call on the same object starts over.
    EXPECT_EQ("0;1;0;package;E;", parser.parse("\nclass E { }"));
}

namespace {
void dropStrayByte(char)
{
}
}

// An unterminated literal longer than the scanner's buffer makes it grow the
// buffer just before the end of input; the end must not read the text of a
// token that lay in the old one (AddressSanitizer catches that read).
TEST(ParserImpl, EndOfInputAfterTheScannerGrewItsBuffer)
{
    using products::zefra::decompiler::parser::setUnmatchedByteHandler;
    const auto previous = setUnmatchedByteHandler(dropStrayByte);
    EXPECT_EQ("0;0;0;package;A;", parse("class A { } \"" + std::string(200000, '$')));
    setUnmatchedByteHandler(previous);
}
