// jad on jars, zips and directory trees: every top-level class once, with
// its nested classes, below its package; hostile archives cost one line each
// and never write outside the output directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "ClassBytes.h"
#include "JavaTestSupport.h"
#include "ZipBuilder.h"

namespace jad {
namespace {

namespace fs = std::filesystem;
using test::ZipBuilder;

const char* const OuterSource = R"(
package p;
public class Outer {
    interface Callback { int call(int x); }
    static class Nested { int v = 1; }
    class Inner { int get() { return base + Nested.class.getName().length(); } }
    int base = 4;
    public int run() {
        class Local { int twice(int x) { return 2 * x; } }
        Callback c = new Callback() { public int call(int x) { return x + base; } };
        return new Local().twice(c.call(new Inner().get()));
    }
}
)";

const char* const OtherSource = R"(
package q;
public class Other {
    public static void main(String[] args) { System.out.println(new p.Outer().run()); }
}
)";

// Relative paths of the regular files below `root`, sorted.
std::vector<std::string> filesBelow(const fs::path& root) {
    std::vector<std::string> files;
    if (!fs::exists(root)) return files;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) files.push_back(fs::relative(item.path(), root).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

size_t lineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

// A class `name` with no members and no attributes.
std::string emptyClass(const std::string& name) {
    auto bytes = test::ClassBytes()
                     .header()
                     .u2(5).utf8(name).u1(7).u2(1).utf8("java/lang/Object").u1(7).u2(3)
                     .u2(0x21).u2(2).u2(4).u2(0)
                     .noMembers()
                     .bytes();
    return std::string(bytes.begin(), bytes.end());
}

class ArchiveInput : public ::testing::Test {
protected:
    // javac runs once for the suite; each test gets its own copy of the classes.
    static void SetUpTestSuite() {
        compiled = new test::TempDir;
        auto result = test::compileJava(compiled->path(), {{"p/Outer.java", OuterSource}, {"q/Other.java", OtherSource}},
                                        "--release 8");
        ASSERT_EQ(result.status, 0) << result.err;
    }
    static void TearDownTestSuite() {
        delete compiled;
        compiled = nullptr;
    }
    void SetUp() override { fs::copy(compiled->path() / "classes", at("classes"), fs::copy_options::recursive); }

    test::ProcessResult jad(const std::vector<std::string>& arguments) { return test::runJad(arguments, dir.path()); }
    fs::path at(const std::string& relative) const { return dir.path() / relative; }
    std::string classBytes(const std::string& relative) const {
        auto bytes = test::readBytes(at("classes/" + relative));
        return std::string(bytes.begin(), bytes.end());
    }
    // The compiled classes as a jar, deflated, with the files a jar also holds.
    ZipBuilder jarOfClasses() const {
        ZipBuilder jar;
        jar.add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n", true).add("p/", "");
        for (const std::string& name : filesBelow(at("classes"))) jar.add(name, classBytes(name), true);
        jar.add("q/messages.properties", "hello=world\n");
        return jar;
    }
    void writeJar(const std::string& name, const ZipBuilder& jar) { test::writeText(at(name), jar.bytes()); }
    std::string looseOutput(const std::string& relative) {
        auto result = jad({"-p", "classes/" + relative});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    static test::TempDir* compiled;
    test::TempDir dir;
};

test::TempDir* ArchiveInput::compiled = nullptr;

TEST_F(ArchiveInput, AJarGivesEachTopLevelClassWithItsNestedClasses) {
    writeJar("in.jar", jarOfClasses());
    ASSERT_EQ(filesBelow(at("classes")).size(), 7u);  // Outer and its five nested classes, Other
    // Packages become directories with -r and without it.
    for (const char* restore : {"-r", "-o"}) {
        auto result = jad({"-o", restore, "-dout", "in.jar"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(filesBelow(at("out")), (std::vector<std::string>{"p/Outer.java", "q/Other.java"}));
        // Exactly what the class file beside its nested classes gives.
        EXPECT_EQ(test::readText(at("out/p/Outer.java")), looseOutput("p/Outer.class"));
        EXPECT_EQ(test::readText(at("out/q/Other.java")), looseOutput("q/Other.class"));
    }
    EXPECT_NE(test::readText(at("out/p/Outer.java")).find("class Inner"), std::string::npos);
}

TEST_F(ArchiveInput, StandardOutputDirectoryTreesAndThreadCountsAgree) {
    writeJar("in.zip", jarOfClasses());
    const std::string expected = looseOutput("p/Outer.class") + looseOutput("q/Other.class");
    for (const char* threads : {"-j1", "-j2", "-j7"}) {
        auto result = jad({threads, "-p", "in.zip"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, expected) << threads;
    }
    // A directory is a tree of classes only with -r.
    auto tree = jad({"-r", "-dtree", "classes"});
    EXPECT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(filesBelow(at("tree")), (std::vector<std::string>{"p/Outer.java", "q/Other.java"}));
    EXPECT_EQ(test::readText(at("tree/p/Outer.java")), looseOutput("p/Outer.class"));
    auto plain = jad({"-dplain", "classes"});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "classes: is a directory\n");

    for (const char* bad : {"-j0", "-jx", "-j"}) {
        auto usage = jad({bad, "in.zip"});
        EXPECT_EQ(usage.status, 2) << bad;
        EXPECT_EQ(lineCount(usage.err), 1u) << usage.err;
    }
}

// A nested class is printed by its outer class only when that class lists
// it; otherwise, or with no outer class in the archive, it is printed alone.
TEST_F(ArchiveInput, NestedClassesNoOuterClassPrintsStandAlone) {
    test::TempDir other;
    auto compiled = test::compileJava(other.path(), {{"p/Outer.java", "package p; public class Outer {}"}}, "--release 8");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    auto plainOuter = test::readBytes(other.path() / "classes/p/Outer.class");
    ZipBuilder jar;
    jar.add("p/Outer.class", std::string(plainOuter.begin(), plainOuter.end()));
    jar.add("p/Outer$Nested.class", classBytes("p/Outer$Nested.class"));
    jar.add("r/Outer$Inner.class", classBytes("p/Outer$Inner.class"));  // no outer class beside it
    writeJar("odd.jar", jar);
    auto result = jad({"-r", "-dout", "odd.jar"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(filesBelow(at("out")),
              (std::vector<std::string>{"p/Outer$Inner.java", "p/Outer$Nested.java", "p/Outer.java"}));
}

TEST_F(ArchiveInput, HostileEntriesNeverWriteOutsideTheOutputDirectory) {
    const std::string other = classBytes("q/Other.class");
    ZipBuilder jar;
    jar.add("../../escaped/Other.class", other)
        .add("/tmp/absolute/Other.class", other)
        .add("q\\..\\..\\..\\Other.class", other)
        .add("q/Other.class", other, true)
        .add("q/Other.class", classBytes("p/Outer.class"))
        .add(ZipBuilder::Entry{"q/Secret.class", other, false, true, std::nullopt})
        .add(ZipBuilder::Entry{"q/Huge.class", other, false, false, 100u << 20})
        .add("q/Zeros.class", std::string(8u << 20, '\0'), true)
        .add("lib/nested.jar", jarOfClasses().bytes())
        .add("q/Broken.class", other.substr(0, 30))
        .add("q/Climb.class", emptyClass("../../escaped/Climb"));
    writeJar("hostile.jar", jar);
    fs::create_directories(at("out/x"));
    auto result = jad({"-o", "-r", "-dout/x", "hostile.jar"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(lineCount(result.err), 10u) << result.err;
    size_t start = 0;
    while (start < result.err.size()) {
        EXPECT_EQ(result.err.compare(start, 13, "hostile.jar!/"), 0) << result.err.substr(start);
        start = result.err.find('\n', start) + 1;
    }
    EXPECT_NE(result.err.find("hostile.jar!/q/Other.class: duplicate entry, the first one is used\n"),
              std::string::npos);
    EXPECT_NE(result.err.find("hostile.jar!/q/Broken.class: constant pool count 34 exceeds the file size\n"), std::string::npos);
    EXPECT_NE(result.err.find("hostile.jar!/q/Climb.class: package ../../escaped cannot be restored as directories\n"),
              std::string::npos);
    // Only the one good class is written, and nothing lands outside out/x.
    EXPECT_EQ(filesBelow(at("out")), (std::vector<std::string>{"x/q/Other.java"}));
    for (const std::string& file : filesBelow(dir.path())) {
        const bool ours = file == "hostile.jar" || file.rfind("classes/", 0) == 0 || file.rfind("src/", 0) == 0 ||
                          file.rfind("out/x/", 0) == 0;
        EXPECT_TRUE(ours) << file;
    }
    EXPECT_FALSE(fs::exists("/tmp/absolute/Other.java"));
}

TEST_F(ArchiveInput, ArchivesThatCannotBeReadGiveOneLineAndTheRestIsWritten) {
    const std::string whole = jarOfClasses().bytes();
    test::writeText(at("cut.jar"), whole.substr(0, whole.size() / 2));
    test::writeText(at("text.zip"), "just some text");
    writeJar("resources.jar", ZipBuilder().add("a.txt", "a"));
    // Writes what the directory tree before it wrote: refused, not replaced.
    writeJar("good.jar", ZipBuilder().add("q/Other.class", classBytes("q/Other.class")));
    auto result = jad({"-o", "-r", "-dout", "missing.jar", "cut.jar", "text.zip", "resources.jar", "classes", "good.jar"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "missing.jar: cannot open (No such file or directory)\n"
              "cut.jar: cannot read as an archive (Not a zip archive)\n"
              "text.zip: cannot read as an archive (Not a zip archive)\n"
              "resources.jar: holds no class files\n"
              "good.jar!/q/Other.class: output out/q/Other.java already written for classes/q/Other.class\n");
    EXPECT_EQ(filesBelow(at("out")), (std::vector<std::string>{"p/Outer.java", "q/Other.java"}));
}

// Many entries on several threads: what is printed and reported is that of
// one entry after the other, in name order, whatever the thread count.
TEST(ArchiveThreads, ManyEntriesKeepTheirOrder) {
    test::TempDir dir;
    ZipBuilder jar;
    std::string expectedErr;
    for (int i = 0; i < 150; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "k/C%03d", i);
        if (i % 11 == 5) {
            jar.add(std::string(name) + ".class", "junk", i % 2 == 0);
            expectedErr += std::string("many.jar!/") + name + ".class: not a class file (magic 0x6A756E6B)\n";
        } else {
            jar.add(std::string(name) + ".class", emptyClass(name), i % 2 == 0);
        }
    }
    test::writeText(dir.path() / "many.jar", jar.bytes());
    auto one = test::runJad({"-j1", "-p", "many.jar"}, dir.path());
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.err, expectedErr);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '{'), 136);
    EXPECT_LT(one.out.find("class C000"), one.out.find("class C149"));
    for (const char* threads : {"-j2", "-j5"}) {
        auto many = test::runJad({threads, "-p", "many.jar"}, dir.path());
        EXPECT_EQ(many.out, one.out) << threads;
        EXPECT_EQ(many.err, one.err) << threads;
    }
    auto written = test::runJad({"-j3", "-dout", "many.jar"}, dir.path());
    EXPECT_EQ(written.err, expectedErr);
    EXPECT_EQ(filesBelow(dir.path() / "out").size(), 136u);
}

}  // namespace
}  // namespace jad
