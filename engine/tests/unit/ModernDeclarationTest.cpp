// The modern dialect's declarations (-m) where the round-trip programs
// cannot look: modules, packages, signatures that do not read, and what
// the class file's level allows.
#include <gtest/gtest.h>

#include <algorithm>

#include "JavaTestSupport.h"

namespace jad {
namespace {

class ModernDeclarations : public ::testing::Test {
protected:
    std::string decompile(const std::filesystem::path& classFile, std::vector<std::string> options = {"-m"}) {
        options.push_back("-p");
        options.push_back(classFile.string());
        auto result = test::runJad(options, dir.path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return test::withLf(result.out);
    }

    std::filesystem::path compile(const std::map<std::string, std::string>& sources, const std::string& classFile,
                                  const std::string& javacOptions = "") {
        auto compiled = test::compileJava(dir.path(), sources, javacOptions);
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        return dir.path() / "classes" / classFile;
    }

    test::TempDir dir;
};

void expectLines(const std::string& text, const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const auto& line : lines) {
        size_t found = text.find(line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing (in order): " << line << "\n--- in ---\n" << text;
        at = found + line.size();
    }
}

TEST_F(ModernDeclarations, ModuleInfoIsAModuleDeclaration) {
    auto file = compile({{"module-info.java",
                          "open module demo.core {\n"
                          "    requires transitive java.logging;\n"
                          "    requires static java.sql;\n"
                          "    exports demo.api;\n"
                          "    exports demo.impl to java.base;\n"
                          "    uses demo.api.Service;\n"
                          "    provides demo.api.Service with demo.impl.Impl;\n"
                          "}\n"},
                         {"demo/api/Service.java", "package demo.api; public interface Service {}\n"},
                         {"demo/impl/Impl.java", "package demo.impl; public class Impl implements demo.api.Service {}\n"}},
                        "module-info.class", "--release 17");
    std::string text = decompile(file);
    expectLines(text, {"open module demo.core {", "    requires transitive java.logging;", "    requires static java.sql;",
                       "    exports demo.api;", "    exports demo.impl to java.base;", "    uses demo.api.Service;",
                       "    provides demo.api.Service with demo.impl.Impl;", "}"});
    EXPECT_EQ(text.find("java.base;\n    exports"), std::string::npos) << "the mandated requires is implied";
    // Without -m, as before: a comment.
    EXPECT_NE(decompile(file, {}).find("// module-info"), std::string::npos);
}

TEST_F(ModernDeclarations, PackageInfoCarriesItsAnnotations) {
    auto file = compile({{"p/package-info.java", "@Deprecated\npackage p;\n"}}, "p/package-info.class");
    expectLines(decompile(file), {"@Deprecated", "package p;"});
}

// A Signature that does not read is the descriptor's erasure, with a note;
// never a failed class.
TEST_F(ModernDeclarations, MalformedSignaturesFallBackToTheErasure) {
    auto file = compile({{"G.java", "import java.util.*; class G<T> { List<String> names; <U> U pick(List<U> l) { return null; } }\n"}},
                        "G.class");
    std::vector<uint8_t> bytes = test::readBytes(file);
    // Same lengths, so the pool stays as it was.
    for (auto [good, bad] : {std::pair<std::string, std::string>{"Ljava/util/List<Ljava/lang/String;>;",
                                                                 "Ljava/util/List<Ljava/lang/String;>>"},
                             {"<T:Ljava/lang/Object;>", "<T:Ljava/lang/Object;;"},
                             {"(Ljava/util/List<TU;>;)TU;", "(Ljava/util/List<TU;>;)TU>"}}) {
        auto at = std::search(bytes.begin(), bytes.end(), good.begin(), good.end());
        ASSERT_NE(at, bytes.end()) << good;
        std::copy(bad.begin(), bad.end(), at);
    }
    std::string patched(bytes.begin(), bytes.end());
    test::writeText(file, patched);
    std::string text = decompile(file);
    expectLines(text, {"// generic signature not readable, erased: <T:Ljava/lang/Object;;Ljava/lang/Object;",
                       "class G {"});
    expectLines(text, {"    // generic signature not readable, erased: <U:Ljava/lang/Object;>(Ljava/util/List<TU;>;)TU>",
                       "    Object pick(List list) {"});
    expectLines(text, {"// generic signature not readable, erased: Ljava/util/List<Ljava/lang/String;>>", "    List names;"});
}

// strictfp means something only before Java 17, and is written only there.
TEST_F(ModernDeclarations, StrictfpWhereTheLevelHasIt) {
    const std::map<std::string, std::string> source{{"S.java", "class S { strictfp double half(double d) { return d / 2; } }\n"}};
    EXPECT_NE(decompile(compile(source, "S.class", "--release 8")).find("strictfp double half(double d)"),
              std::string::npos);
    EXPECT_EQ(decompile(compile(source, "S.class", "--release 17")).find("strictfp"), std::string::npos);
    // The classic dialect has no such word.
    EXPECT_EQ(decompile(compile(source, "S.class", "--release 8"), {}).find("strictfp"), std::string::npos);
}

TEST_F(ModernDeclarations, AnnotationsOfUnknownCheckersStayComments) {
    auto file = compile({{"a/b/c/d/Mine.java", "package a.b.c.d; public @interface Mine {}\n"},
                         {"x/y/Theirs.java", "package x.y; public @interface Theirs {}\n"},
                         {"a/b/c/e/Use.java", "package a.b.c.e; @a.b.c.d.Mine @x.y.Theirs @Deprecated class Use {}\n"}},
                        "a/b/c/e/Use.class");
    // Those kept at run time come first in the class file.
    expectLines(decompile(file), {"@Deprecated", "@a.b.c.d.Mine", "// @x.y.Theirs", "class Use {"});
}

}  // namespace
}  // namespace jad
