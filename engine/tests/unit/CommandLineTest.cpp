// The jad program as the viewer and scripts use it: options, files written,
// exit codes and the one-line messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "ClassBytes.h"
#include "JavaTestSupport.h"

namespace jad {
namespace {

namespace fs = std::filesystem;
using test::ClassBytes;

// demo/A, public, with a SourceFile attribute and nothing else.
std::string classA(const std::string& name = "demo/A") {
    auto bytes = ClassBytes()
                     .header()
                     .u2(8).utf8(name).u1(7).u2(1).utf8("java/lang/Object").u1(7).u2(3)
                     .utf8("SourceFile").utf8("A.java").utf8("unused")
                     .u2(0x21).u2(2).u2(4).u2(0).u2(0).u2(0)
                     .u2(1).u2(5).u4(2).u2(6)
                     .bytes();
    return std::string(bytes.begin(), bytes.end());
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { test::writeText(dir.path() / "in" / "A.class", classA()); }
    test::ProcessResult jad(const std::vector<std::string>& arguments) { return test::runJad(arguments, dir.path()); }
    fs::path at(const std::string& relative) const { return dir.path() / relative; }

    test::TempDir dir;
};

const char* const ExpectedA =
    "// Decompiled by the Zefra engine 0.1.0\r\n"
    "// Source file: A.java\r\n"
    "// Class-file version: 52.0 (Java 8)\r\n"
    "\r\n"
    "package demo;\r\n"
    "\r\n"
    "public class A {\r\n"
    "}\r\n";

TEST_F(CommandLine, TheViewersInvocationWritesTheFileWithHeaderAndCrLf) {
    auto result = jad({"-ff", "-b", "-l80", "-o", "-djad/tmp", "-sjava", "in/A.class"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::string text = test::readText(at("jad/tmp/A.java"));
    EXPECT_EQ(text, ExpectedA);
    // The viewer cuts the header at the first blank line: all of it is comments.
    std::string header = text.substr(0, text.find("\r\n\r\n"));
    for (size_t start = 0; start < header.size();) {
        EXPECT_EQ(header.compare(start, 2, "//"), 0) << header;
        size_t end = header.find("\r\n", start);
        start = end == std::string::npos ? header.size() : end + 2;
    }
}

TEST_F(CommandLine, ExistingOutputIsKeptWithoutOverwrite) {
    test::writeText(at("out/A.java"), "mine");
    auto kept = jad({"-dout", "in/A.class"});
    EXPECT_EQ(kept.status, 1);
    EXPECT_EQ(kept.err, "in/A.class: output out/A.java exists, not overwritten (use -o)\n");
    EXPECT_EQ(test::readText(at("out/A.java")), "mine");
    auto replaced = jad({"-o", "-dout", "in/A.class"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(test::readText(at("out/A.java")), ExpectedA);
}

TEST_F(CommandLine, EachFailedInputGetsOneLineAndExitOne) {
    test::writeText(at("in/Zip.class"), "PK\x03\x04rest");
    test::writeText(at("in/Short.class"), classA().substr(0, 40));
    auto result = jad({"-dout", "in/missing.class", "in/Zip.class", "in/A.class", "in/Short.class", "in"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "in/missing.class: cannot open (No such file or directory)\n"
              "in/Zip.class: not a class file (magic 0x504B0304)\n"
              "in/Short.class: truncated at byte 40\n"
              "in: is a directory\n");
    // The good input among them is still written.
    EXPECT_EQ(test::readText(at("out/A.java")), ExpectedA);
}

// Inputs decompile on several threads; what the run prints, writes and
// reports must still be that of one input after the other.
TEST_F(CommandLine, ManyInputsKeepTheirOrder) {
    std::vector<std::string> arguments{"-p"};
    std::string expectedOut, expectedErr;
    for (int i = 0; i < 120; ++i) {
        const std::string name = "in/C" + std::to_string(i) + ".class";
        if (i % 7 == 3) {
            test::writeText(at(name), "junk");
            expectedErr += name + ": not a class file (magic 0x6A756E6B)\n";
        } else {
            const std::string cls = "demo/C" + std::to_string(i);
            test::writeText(at(name), classA(cls));
            expectedOut += std::string(ExpectedA).replace(std::string(ExpectedA).find("class A"), 7,
                                                          "class C" + std::to_string(i));
        }
        arguments.push_back(name);
    }
    auto result = jad(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, expectedErr);
    EXPECT_EQ(result.out, expectedOut);

    // Two inputs with one output name: the first is written, the second refused.
    fs::create_directories(at("other"));
    test::writeText(at("other/A.class"), classA("demo/Other"));
    auto twice = jad({"-dtwice", "in/A.class", "other/A.class"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err, "other/A.class: output twice/A.java exists, not overwritten (use -o)\n");
    EXPECT_EQ(test::readText(at("twice/A.java")), ExpectedA);
}

TEST_F(CommandLine, UsageErrorsExitTwo) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"-x", "in/A.class"}, {"-lots", "in/A.class"}, {"-d", "in/A.class"}, {"-o"}}) {
        auto result = jad(arguments);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.rfind("jad: ", 0), 0u) << result.err;
    }
    EXPECT_EQ(jad({"-x", "in/A.class"}).err, "jad: unknown option -x (jad -h for help)\n");
    EXPECT_EQ(jad({}).err, "jad: no input files (jad -h for help)\n");
    auto help = jad({"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: jad [options] file.class...", 0), 0u);
    EXPECT_EQ(jad({"--version"}).out, "jad (Zefra engine) 0.1.0\n");
}

TEST_F(CommandLine, OutputGoesWhereTheOptionsSay) {
    fs::copy_file(at("in/A.class"), at("in/Renamed.class"));
    auto toStdout = jad({"-p", "in/A.class"});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, ExpectedA);
    EXPECT_FALSE(fs::exists(at("A.java")));

    EXPECT_EQ(jad({"in/Renamed.class"}).status, 0);  // default: the current directory
    EXPECT_TRUE(fs::exists(at("Renamed.java")));

    auto restored = jad({"-r", "-sjad", "-ddeep/er", "in/A.class"});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(test::readText(at("deep/er/demo/A.jad")), ExpectedA);

    // A package name never leads outside the output directory.
    test::writeText(at("in/Evil.class"), classA("../../escaped/A"));
    auto evil = jad({"-r", "-dout/x", "in/Evil.class"});
    EXPECT_EQ(evil.status, 1);
    EXPECT_EQ(evil.err, "in/Evil.class: package ../../escaped cannot be restored as directories\n");
    EXPECT_FALSE(fs::exists(at("escaped")));
}

}  // namespace
}  // namespace jad
