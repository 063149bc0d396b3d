#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TemporaryDirectory.h"
#include "decompiler/DecompilerImpl.h"

using products::zefra::decompiler::ClassStructure;
using products::zefra::decompiler::DecompilerImpl;
using products::zefra::decompiler::NameAndLine;
using products::zefra::decompiler::NameAndLineList;

namespace {

// Failed checks go to assertion.txt in a directory of the test's own.
class ClassStructureTest : public ::testing::Test {
protected:
    std::unique_ptr<ClassStructure> build(const std::string& parsingResult, const std::string& text = "TEXT")
    {
        return DecompilerImpl().buildTree(parsingResult, text);
    }

    pipelinetest::TemporaryDirectory _directory;
    pipelinetest::CurrentDirectoryScope _scope{_directory.path()};
};

NameAndLineList entries(std::initializer_list<NameAndLine> list)
{
    return NameAndLineList(list);
}

}

TEST_F(ClassStructureTest, RootWithMethodAndField)
{
    auto root = build("0;0;0;public;A;1;2;1;public;f();1;3;2;private;x;", "the text");
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(NameAndLine("A", 0), root->getNameAndLine());
    EXPECT_EQ("the text", root->getText());
    EXPECT_EQ(entries({{"f()", 2}}), root->getPublicMethods());
    EXPECT_EQ(entries({{"x", 3}}), root->getPrivateFields());
    EXPECT_TRUE(root->getProtectedMethods().empty());
    EXPECT_TRUE(root->getPrivateMethods().empty());
    EXPECT_TRUE(root->getPublicFields().empty());
    EXPECT_TRUE(root->getProtectedFields().empty());
    EXPECT_TRUE(root->getPublicInnerClasses().empty());
    EXPECT_TRUE(root->getProtectedInnerClasses().empty());
    EXPECT_TRUE(root->getPrivateInnerClasses().empty());
    EXPECT_FALSE(root->isEmpty());
    EXPECT_EQ(0, pipelinetest::countLoggedChecks("false"));
}

TEST_F(ClassStructureTest, InnerClassTakesDeeperRecordsThenOuterResumes)
{
    auto root = build("0;0;0;public;A;1;1;0;private;B;2;2;2;package;y;1;3;1;protected;g();");
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(1u, root->getPrivateInnerClasses().size());
    const ClassStructure* inner = root->getPrivateInnerClasses()[0];
    EXPECT_EQ(NameAndLine("B", 1), inner->getNameAndLine());
    EXPECT_EQ("", inner->getText());
    EXPECT_EQ(entries({{"y", 2}}), inner->getPrivateFields());
    EXPECT_EQ(entries({{"g()", 3}}), root->getProtectedMethods());
    EXPECT_TRUE(root->getPrivateFields().empty());
}

TEST_F(ClassStructureTest, AccessGroups)
{
    auto root = build("0;0;0;public;A;"
                      "1;1;2;public static final;a;1;2;2;protected abstract;b;1;3;2;private;c;1;4;2;package;d;"
                      "1;5;1;final;m();1;6;1;synchronized public;n();1;7;1;protected;o();"
                      "1;8;0;protected static;P;1;9;0;public;Q;1;10;0;package;R;");
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(entries({{"a", 1}}), root->getPublicFields());
    EXPECT_EQ(entries({{"b", 2}}), root->getProtectedFields());
    EXPECT_EQ(entries({{"c", 3}, {"d", 4}}), root->getPrivateFields());
    EXPECT_EQ(entries({{"m()", 5}}), root->getPrivateMethods());
    EXPECT_EQ(entries({{"n()", 6}}), root->getPublicMethods());
    EXPECT_EQ(entries({{"o()", 7}}), root->getProtectedMethods());
    ASSERT_EQ(1u, root->getProtectedInnerClasses().size());
    EXPECT_EQ("P", root->getProtectedInnerClasses()[0]->getNameAndLine().getName());
    EXPECT_EQ("Q", root->getPublicInnerClasses().at(0)->getNameAndLine().getName());
    EXPECT_EQ("R", root->getPrivateInnerClasses().at(0)->getNameAndLine().getName());
    EXPECT_TRUE(root->getPrivateInnerClasses()[0]->isEmpty());
}

TEST_F(ClassStructureTest, RootChoice)
{
    auto publicSecond = build("0;0;0;package;A;1;1;2;package;x;0;5;0;public;B;");
    ASSERT_NE(nullptr, publicSecond);
    EXPECT_EQ(NameAndLine("B", 5), publicSecond->getNameAndLine());
    EXPECT_TRUE(publicSecond->isEmpty());

    auto protectedBeforePrivate = build("0;0;0;package;A;0;1;0;protected;B;0;2;0;protected;C;");
    ASSERT_NE(nullptr, protectedBeforePrivate);
    EXPECT_EQ("B", protectedBeforePrivate->getNameAndLine().getName());

    auto firstPrivate = build("0;0;0;package;A;0;1;0;final;B;");
    ASSERT_NE(nullptr, firstPrivate);
    EXPECT_EQ("A", firstPrivate->getNameAndLine().getName());
    EXPECT_EQ(0, pipelinetest::countLoggedChecks("false"));
}

TEST_F(ClassStructureTest, NoTopLevelClassGivesNull)
{
    EXPECT_EQ(nullptr, build(""));
    EXPECT_EQ(nullptr, build("0;1;1;public;f();0;2;2;public;x;"));
    EXPECT_EQ(2, pipelinetest::countLoggedChecks("false"));
}

TEST_F(ClassStructureTest, ClassWithOnlyAnInnerClassIsNotEmpty)
{
    auto root = build("0;0;0;public;A;1;1;0;public;B;");
    ASSERT_NE(nullptr, root);
    EXPECT_FALSE(root->isEmpty());
    EXPECT_TRUE(root->getPublicInnerClasses().at(0)->isEmpty());
}

TEST_F(ClassStructureTest, BadDepthTokenEndsEveryLevelAndKeepsWhatWasRead)
{
    auto root = build("0;0;0;public;A;1;1;2;public;a;1;2;0;public;B;2;3;1;public;m();x;4;1;public;n();"
                      "1;5;2;public;late;");
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(NameAndLine("A", 0), root->getNameAndLine());
    EXPECT_EQ(entries({{"a", 1}}), root->getPublicFields());
    ASSERT_EQ(1u, root->getPublicInnerClasses().size());
    const ClassStructure* inner = root->getPublicInnerClasses()[0];
    EXPECT_EQ(entries({{"m()", 3}}), inner->getPublicMethods());
    EXPECT_TRUE(root->getPublicMethods().empty());
    // The levels of B, A and the top level each fail on the same token.
    EXPECT_EQ(3, pipelinetest::countLoggedChecks("false"));
}

TEST_F(ClassStructureTest, BrokenRecordsAreReportedAndSkipped)
{
    // Kind 7 is dropped; the record after it is still read.
    auto unknownKind = build("0;0;0;public;A;1;1;7;public;q;1;2;1;public;f();");
    ASSERT_NE(nullptr, unknownKind);
    EXPECT_EQ(entries({{"f()", 2}}), unknownKind->getPublicMethods());
    EXPECT_EQ(1, pipelinetest::countLoggedChecks("false"));

    // A record cut short: the count checks fail and the last level ends.
    auto cutShort = build("0;0;0;public;A;1;1;1;public;f();1;2;");
    ASSERT_NE(nullptr, cutShort);
    EXPECT_EQ(entries({{"f()", 1}}), cutShort->getPublicMethods());
    EXPECT_LE(1, pipelinetest::countLoggedChecks("st.countTokens() % 5 == 0"));
    EXPECT_EQ(1, pipelinetest::countLoggedChecks("st.countTokens() >= 5"));

    // A line of 00 is not a number: the level of A ends at it.
    auto badLine = build("0;0;0;public;A;1;00;1;public;f();");
    ASSERT_NE(nullptr, badLine);
    EXPECT_TRUE(badLine->isEmpty());
}

TEST_F(ClassStructureTest, BadLineOrKindEndsTheLevelAfterTheWholeRecord)
{
    // The failing record is taken whole, so the top level reads on from the
    // next record and finds the public class B.
    for (const char* record : {"1;x;1;public;f();", "1;4;y;public;f();"}) {
        auto root = build(std::string("0;0;0;package;A;") + record + "1;5;2;public;lost;0;6;0;public;B;");
        ASSERT_NE(nullptr, root) << record;
        EXPECT_EQ(NameAndLine("B", 6), root->getNameAndLine()) << record;
    }
    EXPECT_EQ(2, pipelinetest::countLoggedChecks("false"));
}

TEST_F(ClassStructureTest, ExtremeNestingIsBuiltAndDestroyed)
{
    // Depth -1 compares as the largest unsigned depth, and its members'
    // level wraps to 0: each such class nests in the one before.
    std::string result;
    for (int i = 0; i < 100000; ++i) {
        result += "-1;" + std::to_string(i) + ";0;public;A;";
    }
    auto root = build(result);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(NameAndLine("A", 0), root->getNameAndLine());
    EXPECT_EQ(NameAndLine("A", 1), root->getPublicInnerClasses().at(0)->getNameAndLine());
    EXPECT_NE(nullptr, build("2147483647;0;0;public;A;1;1;1;public;f();"));
}
