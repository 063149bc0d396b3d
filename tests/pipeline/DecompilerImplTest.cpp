#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TemporaryDirectory.h"
#include "decompiler/DecompilerImpl.h"
#include "decompiler/engine/DecompilerEngineException.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"

using products::zefra::decompiler::ClassStructure;
using products::zefra::decompiler::DecompilerImpl;
using products::zefra::decompiler::NameAndLine;
using products::zefra::decompiler::engine::DecompilerEngineException;
using products::zefra::decompiler::parser::ParserException;
using products::zefra::decompiler::parser::ParserImpl;

namespace {

const std::string ENGINE_HEADER = "// Decompiled by the engine.\r\n// Options.\r\n\r\n";

// An application directory with a fake engine at jad/jad that exits with a
// given code; the Java text it writes is prepared beforehand in jad/prepared.
class DecompilerImplTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _directory.writeFile("Foo.class", "\xca\xfe\xba\xbe");
        installEngine(0);
    }

    void installEngine(int exitCode)
    {
        _directory.writeFile("jad/jad",
                             "#!/bin/sh\ncp jad/prepared jad/tmp/Foo.java 2>/dev/null\nexit " +
                                 std::to_string(exitCode) + "\n",
                             true);
    }

    void engineWrites(const std::string& javaText)
    {
        _directory.writeFile("jad/prepared", ENGINE_HEADER + javaText);
        _directory.writeFile("jad/tmp/.keep", "");
    }

    std::string classFile() const { return _directory.path() + "/Foo.class"; }

    pipelinetest::TemporaryDirectory _directory;
    pipelinetest::CurrentDirectoryScope _scope{_directory.path()};
    DecompilerImpl _decompiler;
};

}

TEST_F(DecompilerImplTest, ClassFileBecomesTreeCarryingTheText)
{
    const std::string javaText = "package p;\r\n\r\npublic class Foo\r\n{\r\n    int x;\r\n    public void f() { }\r\n}\r\n";
    engineWrites(javaText);
    std::unique_ptr<ClassStructure> root = _decompiler.decompile(classFile());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(javaText, root->getText());
    EXPECT_EQ(NameAndLine("Foo", 2), root->getNameAndLine());
    EXPECT_EQ((std::vector<NameAndLine>{{"x", 4}}), root->getPrivateFields());
    EXPECT_EQ((std::vector<NameAndLine>{{"f()", 5}}), root->getPublicMethods());
    EXPECT_EQ(nullptr, ParserImpl::instance());
}

TEST_F(DecompilerImplTest, EngineFailureReachesTheCaller)
{
    engineWrites("class Foo { }");
    installEngine(3);
    try {
        _decompiler.decompile(classFile());
        FAIL() << "no exception";
    } catch (const DecompilerEngineException& error) {
        EXPECT_EQ("The decompiler engine failed. The decompiler returned a non zero exit code.",
                  error.getMessage());
    }
}

TEST_F(DecompilerImplTest, UnparsableTextTravelsInTheException)
{
    const std::string javaText = "public class Foo {\r\n    int goto;\r\n}\r\n";
    engineWrites(javaText);
    try {
        _decompiler.decompile(classFile());
        FAIL() << "no exception";
    } catch (const ParserException& error) {
        EXPECT_EQ(javaText, error.getText());
        EXPECT_EQ(1, error.getLine());
        EXPECT_EQ("A parsing error occurred.", error.getMessage());
    }
    EXPECT_EQ(nullptr, ParserImpl::instance());

    // The failure leaves nothing behind for the next call.
    engineWrites("class Foo { int y; }");
    std::unique_ptr<ClassStructure> root = _decompiler.decompile(classFile());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ((std::vector<NameAndLine>{{"y", 0}}), root->getPrivateFields());
}

TEST_F(DecompilerImplTest, PublicTypeIsTheRootAndOthersAreDropped)
{
    engineWrites("class Helper { int h; }\r\npublic class Foo { }\r\n");
    std::unique_ptr<ClassStructure> root = _decompiler.decompile(classFile());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(NameAndLine("Foo", 1), root->getNameAndLine());
    EXPECT_TRUE(root->isEmpty());
}

TEST_F(DecompilerImplTest, TextWithoutDeclarationsGivesNoTree)
{
    engineWrites("package p;\r\nimport java.util.*;\r\n");
    EXPECT_EQ(nullptr, _decompiler.decompile(classFile()));
    EXPECT_EQ(1, pipelinetest::countLoggedChecks("false"));
}

TEST_F(DecompilerImplTest, CreateClassStructureTakesExactlyLengthBytes)
{
    const char text[] = "class A { }garbage that would not parse";
    std::unique_ptr<ClassStructure> root = _decompiler.createClassStructure(text, 11);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("class A { }", root->getText());
    EXPECT_THROW(_decompiler.createClassStructure(text, sizeof text - 1), ParserException);
    EXPECT_EQ(nullptr, ParserImpl::instance());
}

namespace {

class CountingDecompiler : public DecompilerImpl {
public:
    std::unique_ptr<ClassStructure> createClassStructure(const char* text, std::size_t length) override
    {
        ++calls;
        lastText.assign(text, length);
        return nullptr;
    }

    int calls = 0;
    std::string lastText;
};

}

TEST_F(DecompilerImplTest, DecompileDispatchesToTheReplacedCreateClassStructure)
{
    engineWrites("class Foo { }");
    CountingDecompiler decompiler;
    EXPECT_EQ(nullptr, decompiler.decompile(classFile()));
    EXPECT_EQ(1, decompiler.calls);
    EXPECT_EQ("class Foo { }", decompiler.lastText);
}

// The modern dialect runs the engine with -m and reads its text with the
// modern grammar; a change of dialect while the engine runs applies to the
// next run only.
TEST_F(DecompilerImplTest, ModernDialectHoldsForTheWholeRun)
{
    _directory.writeFile("jad/jad",
                         "#!/bin/sh\n"
                         "for a; do [ \"$a\" = -m ] && modern=1; done\n"
                         "[ -n \"$modern\" ] || exit 3\n"
                         "[ -f jad/slow ] && sleep 1\n"
                         "cp jad/prepared jad/tmp/Foo.java\n",
                         true);
    engineWrites("public enum Foo { A }\r\n");
    EXPECT_THROW(_decompiler.decompile(classFile()), DecompilerEngineException);

    _decompiler.setDialect(products::zefra::decompiler::parser::JavaDialect::Modern);
    std::unique_ptr<ClassStructure> root = _decompiler.decompile(classFile());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ((std::vector<NameAndLine>{{"A", 0}}), root->getPublicFields());

    _directory.writeFile("jad/slow", "");
    bool parsed = false;
    std::thread run([this, &root, &parsed] {
        try {
            root = _decompiler.decompile(classFile());
            parsed = true;
        } catch (const ParserException&) {
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    _decompiler.setDialect(products::zefra::decompiler::parser::JavaDialect::Classic);
    run.join();
    ASSERT_TRUE(parsed);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("Foo", root->getNameAndLine().getName());
}
