// The modern dialect types a class's calls by the declarations of the
// classes it uses, other packages of its jar or class directory included:
// without them a supertype in another package hides which methods overload
// and which type variables a call takes, and the output does not compile.
#include <gtest/gtest.h>

#include <filesystem>

#include "JavaTestSupport.h"
#include "ZipBuilder.h"

namespace jad {
namespace {

namespace fs = std::filesystem;

// In package a: a predicate, and a graph interface that redeclares its
// supertype's method with a narrower result.
const char* const PredSource = R"(
package a;
public interface Pred<T> { boolean test(T value); }
)";

const char* const GraphSource = R"(
package a;
import java.util.List;
public interface Graph<N> extends Source<N> { List<N> next(N node); }
)";

const char* const SourceSource = R"(
package a;
public interface Source<N> { Iterable<? extends N> next(N node); }
)";

// In package b: calls javac only accepts with casts to C and N, which the
// engine writes when it sees that nothing else could be called.
const char* const SpanSource = R"(
package b;
import java.util.Iterator;
import java.util.SortedSet;
@SuppressWarnings({"rawtypes", "unchecked"})
public class Span<C extends Comparable> implements a.Pred<C> {
    final C low;
    public Span(C low) { this.low = low; }
    public boolean test(C value) { return low.compareTo(value) <= 0; }
    public boolean all(SortedSet<? extends C> set) { return test(set.first()) && test(set.last()); }
    public static <N> int count(a.Graph<N> graph, N start) {
        int n = 0;
        for (Iterator<? extends N> it = graph.next(start).iterator(); it.hasNext(); n++) {
            if (graph.next(it.next()).isEmpty()) n++;
        }
        return n;
    }
}
)";

class ModernPackages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        compiled = new test::TempDir;
        auto result = test::compileJava(compiled->path(),
                                        {{"a/Pred.java", PredSource}, {"a/Graph.java", GraphSource},
                                         {"a/Source.java", SourceSource}, {"b/Span.java", SpanSource}},
                                        "--release 8");
        ASSERT_EQ(result.status, 0) << result.err;
    }
    static void TearDownTestSuite() {
        delete compiled;
        compiled = nullptr;
    }

    static fs::path classes() { return compiled->path() / "classes"; }

    // The output recompiled alone against the original classes.
    test::ProcessResult recompile(const std::string& source) {
        return test::compileJava(dir.path() / "again", {{"b/Span.java", source}},
                                 "--release 8 -implicit:none -cp " + classes().string());
    }

    std::string spanBytes() const {
        auto bytes = test::readBytes(classes() / "b/Span.class");
        return std::string(bytes.begin(), bytes.end());
    }

    static test::TempDir* compiled;
    test::TempDir dir;
};

test::TempDir* ModernPackages::compiled = nullptr;

TEST_F(ModernPackages, ClassDirectoryInputSeesTheOtherPackages) {
    auto jad = test::runJad({"-m", "-p", (classes() / "b/Span.class").string()}, dir.path());
    ASSERT_EQ(jad.status, 0) << jad.err;
    auto again = recompile(jad.out);
    EXPECT_EQ(again.status, 0) << again.err << jad.out;
}

TEST_F(ModernPackages, JarInputSeesTheOtherPackages) {
    test::ZipBuilder jar;
    for (const char* name : {"a/Pred.class", "a/Graph.class", "a/Source.class", "b/Span.class"}) {
        auto bytes = test::readBytes(classes() / name);
        jar.add(name, std::string(bytes.begin(), bytes.end()), true);
    }
    test::writeText(dir.path() / "in.jar", jar.bytes());
    auto jad = test::runJad({"-m", "-r", "-dout", "in.jar"}, dir.path());
    ASSERT_EQ(jad.status, 0) << jad.err;
    const std::string source = test::readText(dir.path() / "out/b/Span.java");
    auto again = recompile(source);
    EXPECT_EQ(again.status, 0) << again.err << source;
}

TEST_F(ModernPackages, AClassOutsideItsPackageFolderStillDecompiles) {
    // The folder does not end with the package's path: no root to look
    // under, so the other packages stay unseen (and nothing outside is read).
    test::writeText(dir.path() / "loose/Span.class", spanBytes());
    auto jad = test::runJad({"-m", "-p", "loose/Span.class"}, dir.path());
    ASSERT_EQ(jad.status, 0) << jad.err;
    EXPECT_NE(jad.out.find("class Span<C extends Comparable>"), std::string::npos) << jad.out;
}

}  // namespace
}  // namespace jad
