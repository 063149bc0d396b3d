#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;

// zefra-outline is built in the build root, two levels above this test.
std::string outlineProgram()
{
    fs::path self = fs::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path().parent_path() / "zefra-outline").string();
}

struct RunResult {
    int exitCode;
    std::string out;
    std::string err;
};

class OutlineToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(outlineProgram())) {
            GTEST_SKIP() << "zefra-outline is not built";
        }
    }

    RunResult run(const std::string& arguments, const std::string& program = outlineProgram())
    {
        const std::string command = "'" + program + "' " + arguments + " >'" + _directory.path()
                                    + "/out' 2>'" + _directory.path() + "/err'";
        int status = std::system(command.c_str());
        return RunResult{WIFEXITED(status) ? WEXITSTATUS(status) : -1, _directory.readFile("out"),
                         _directory.readFile("err")};
    }

    std::string javaFile(const std::string& text)
    {
        _directory.writeFile("In.java", text);
        return "'" + _directory.path() + "/In.java'";
    }

    pipelinetest::TemporaryDirectory _directory;
};

}

TEST_F(OutlineToolTest, RecordsArePrintedExactly)
{
    RunResult result = run("--records " + javaFile("interface I { int X = 1; void f(); }"));
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("0;0;0;package;I;1;0;2;package;X=1;1;0;1;package;f();\n", result.out);
    EXPECT_EQ("", result.err);
}

TEST_F(OutlineToolTest, StrayBytesGoToStandardError)
{
    RunResult result = run("--records " + javaFile("class A { } # @"));
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("0;0;0;package;A;\n", result.out);
    EXPECT_EQ("#@", result.err);
}

TEST_F(OutlineToolTest, ParseErrorNamesFileAndLine)
{
    std::string file = javaFile("class A {\n  int goto;\n}\n");
    RunResult result = run("--records " + file);
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(_directory.path() + "/In.java:2: A parsing error occurred.\n", result.err);
    EXPECT_EQ(1, run(file).exitCode);
}

TEST_F(OutlineToolTest, TreeListsEntriesWithOneBasedLines)
{
    RunResult result = run(javaFile("public class Foo {\n  public static class In { void m() { } }\n"
                                    "  protected int p;\n  private String s = \"a\\nb\";\n  int x;\n"
                                    "  public Foo() { }\n}\n"));
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("class public Foo 1\n"
              "  class public In 2\n"
              "    method private m() 2\n"
              "  field private s=\"a\\\\nb\" 4\n"
              "  field private x 5\n"
              "  field protected p 3\n"
              "  method public Foo() 6\n",
              result.out);
}

TEST_F(OutlineToolTest, TextWithoutClassPrintsNothing)
{
    EXPECT_EQ("\n", run("--records " + javaFile("package a;")).out);
    RunResult tree = run(javaFile("package a;"));
    EXPECT_EQ(0, tree.exitCode);
    EXPECT_EQ("", tree.out);
}

TEST_F(OutlineToolTest, OtherFailuresExitWithTwo)
{
    RunResult missing = run("--records '" + _directory.path() + "/none.java'");
    EXPECT_EQ(2, missing.exitCode);
    EXPECT_NE("", missing.err);
    EXPECT_EQ(2, run("").exitCode);
    EXPECT_EQ(2, run("--bogus x.java").exitCode);
    RunResult help = run("--help");
    EXPECT_EQ(0, help.exitCode);
    EXPECT_NE(std::string::npos, help.out.find("--records"));
}

// A class file goes through the engine beside the program, run from the
// program's directory; a relative class-file path still names the same file.
TEST_F(OutlineToolTest, ClassFileRunsTheEngineFromTheApplicationDirectory)
{
    const std::string app = _directory.path() + "/app";
    fs::create_directories(app);
    fs::copy_file(outlineProgram(), app + "/zefra-outline");
    _directory.writeFile("app/jad/jad",
                         "#!/bin/sh\n"
                         "for last; do :; done\n"
                         "test -f \"$last\" || exit 5\n"
                         "printf '// header\\r\\n\\r\\npublic class Foo\\r\\n{\\r\\n    int x;\\r\\n}\\r\\n' "
                         "> jad/tmp/Foo.java\n",
                         true);
    fs::create_directories(app + "/jad/tmp");
    _directory.writeFile("classes/Foo.class", "\xca\xfe\xba\xbe");
    pipelinetest::CurrentDirectoryScope scope(_directory.path() + "/classes");

    RunResult tree = run("Foo.class", app + "/zefra-outline");
    EXPECT_EQ(0, tree.exitCode) << tree.err;
    EXPECT_EQ("class public Foo 1\n  field private x 3\n", tree.out);
    RunResult records = run("--records Foo.class", app + "/zefra-outline");
    EXPECT_EQ("0;0;0;public;Foo;1;2;2;package;x;\n", records.out);

    fs::remove(app + "/jad/jad");
    RunResult noEngine = run("Foo.class", app + "/zefra-outline");
    EXPECT_EQ(2, noEngine.exitCode);
    EXPECT_NE(std::string::npos, noEngine.err.find("Could not find the Jad decompiler."));
}

TEST_F(OutlineToolTest, ModernReadsModernJavaAndRunsTheEngineWithM)
{
    const std::string text = "public record P(int x) {\n  public P { }\n}\n";
    EXPECT_EQ("0;0;0;public;P;1;0;2;private final;x;1;1;1;public;P(int x);1;0;1;public;x();"
              "1;0;1;public final;equals(Object o);1;0;1;public final;hashCode();1;0;1;public final;toString();\n",
              run("--modern --records " + javaFile(text)).out);
    EXPECT_EQ("class public P 1\n  field private x 1\n  method public P(int x) 2\n  method public x() 1\n"
              "  method public equals(Object o) 1\n  method public hashCode() 1\n  method public toString() 1\n",
              run("--modern " + javaFile(text)).out);
    EXPECT_EQ(1, run("--records " + javaFile(text)).exitCode);

    // The engine writes an enum only when asked for the modern dialect.
    const std::string app = _directory.path() + "/app";
    fs::create_directories(app + "/jad/tmp");
    fs::copy_file(outlineProgram(), app + "/zefra-outline");
    _directory.writeFile("app/jad/jad",
                         "#!/bin/sh\n"
                         "body='public final class E extends Enum\\r\\n{\\r\\n}\\r\\n'\n"
                         "for a; do [ \"$a\" = -m ] && body='public enum E\\r\\n{\\r\\n    A, B;\\r\\n}\\r\\n'; done\n"
                         "printf \"// header\\r\\n\\r\\n$body\" > jad/tmp/E.java\n",
                         true);
    _directory.writeFile("E.class", "\xca\xfe\xba\xbe");
    const std::string classFile = "'" + _directory.path() + "/E.class'";
    EXPECT_EQ("0;0;0;public;E;1;2;2;public static final;A;1;2;2;public static final;B;"
              "1;0;1;public static;values();1;0;1;public static;valueOf(String name);\n",
              run("--modern --records " + classFile, app + "/zefra-outline").out);
    EXPECT_EQ("0;0;0;public final;E;\n", run("--records " + classFile, app + "/zefra-outline").out);
}
