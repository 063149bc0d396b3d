// The modern dialect sees every class of the input's class path, not only
// its package: a functional interface of another package keeps its checked
// exceptions and its type parameters, whether the classes lie in a folder
// tree or in an archive. Names that would leave the tree find nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "JavaTestSupport.h"
#include "ZipBuilder.h"
#include "cli/Files.h"
#include "decl/members/ClassTree.h"

namespace jad {
namespace {

namespace fs = std::filesystem;

TEST(ClassPathRoot, IsTheFolderThePackageFoldersLieIn) {
    EXPECT_EQ(classPathRoot("/w/classes/a/b", "a/b/C"), "/w/classes/");
    EXPECT_EQ(classPathRoot("/w/classes/a/b/", "a/b/C"), "/w/classes/");
    EXPECT_EQ(classPathRoot("a/b", "a/b/C"), "");
    EXPECT_EQ(classPathRoot("/a/b", "a/b/C"), "/");
    EXPECT_EQ(classPathRoot("out", "C"), "out/");
    EXPECT_EQ(classPathRoot(".", "C"), "");
    // folders that do not end with the package: no class path is known
    EXPECT_EQ(classPathRoot("/w/classes/x/b", "a/b/C"), std::nullopt);
    EXPECT_EQ(classPathRoot("/w/classesa/b", "a/b/C"), std::nullopt);
    EXPECT_EQ(classPathRoot("/w/b", "a/b/C"), std::nullopt);
}

TEST(ClassPathRoot, NamesThatLeaveTheTreeAreRefused) {
    EXPECT_TRUE(isClassPathName("a/b/C"));
    EXPECT_TRUE(isClassPathName("C$1"));
    for (const char* name : {"", "/etc/passwd", "a/../../x", "a/./C", "a//C", "a/", "..", "a\\..\\C", "[La;"}) {
        EXPECT_FALSE(isClassPathName(name)) << name;
    }
}

// The interface and the methods taking it live in `api`, the code using
// them in `app`.
const char* const ApiSource = R"(
package api;
public interface Job<T> {
    void accept(T value) throws java.io.IOException;
}
)";

const char* const JobsSource = R"(
package api;
public final class Jobs {
    public static <T> void each(Iterable<T> items, Job<T> job) throws java.io.IOException {
        for (T item : items) job.accept(item);
    }
    public static void each(Object items, Object job) {}
}
)";

const char* const UseSource = R"(
package app;
import api.Job;
import api.Jobs;
import java.io.*;
public class Use {
    private final Writer out;
    public Use(Writer out) { this.out = out; }
    void report(IOException e) throws IOException { out.write(e.getMessage()); }
    public void close(Iterable<IOException> problems) throws IOException {
        Jobs.each(problems, this::report);
    }
    public void writeAll(Iterable<String> lines) throws IOException {
        Jobs.each(lines, line -> out.write(line + "\n"));
    }
    public static <V> Job<V> twice(Job<? super V> job) {
        return v -> { job.accept(v); job.accept(v); };
    }
}
)";

class ClassPath : public ::testing::Test {
protected:
    void SetUp() override {
        auto compiled = test::compileJava(dir.path(), {{"api/Job.java", ApiSource}, {"api/Jobs.java", JobsSource}, {"app/Use.java", UseSource}}, "--release 8");
        ASSERT_EQ(compiled.status, 0) << compiled.err;
    }

    // The output compiles against the original classes.
    void expectCompiles(const std::string& source) {
        test::writeText(dir.path() / "re" / "app" / "Use.java", source);
        auto result = test::runCommand("javac -nowarn -Xlint:none --release 8 -d re-classes -cp classes re/app/Use.java", dir.path());
        EXPECT_EQ(result.status, 0) << result.out << result.err << source;
    }

    test::TempDir dir;
};

TEST_F(ClassPath, FolderTreeShowsTheOtherPackagesInterfaces) {
    auto result = test::runJad({"-m", "-p", "classes/app/Use.class"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    // no anonymous class without the interface's `throws` stands for the lambdas
    EXPECT_EQ(result.out.find("new Job()"), std::string::npos) << result.out;
    expectCompiles(result.out);
}

TEST_F(ClassPath, ArchiveShowsTheOtherPackagesInterfaces) {
    test::ZipBuilder zip;
    zip.add("api/Job.class", test::readText(dir.path() / "classes" / "api" / "Job.class"));
    zip.add("api/Jobs.class", test::readText(dir.path() / "classes" / "api" / "Jobs.class"));
    zip.add("app/Use.class", test::readText(dir.path() / "classes" / "app" / "Use.class"));
    test::writeText(dir.path() / "both.jar", zip.bytes());
    auto result = test::runJad({"-m", "-o", "-dout", "both.jar"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string use = test::readText(dir.path() / "out" / "app" / "Use.java");
    EXPECT_EQ(use.find("new Job()"), std::string::npos) << use;
    expectCompiles(use);
}

TEST_F(ClassPath, ClassicDialectKeepsToThePackage) {
    // Its output is fixed: the anonymous class it prints does not change.
    auto result = test::runJad({"-p", "classes/app/Use.class"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("new Job() {"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("public void accept(Object obj) {"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace jad
