#include <regex>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TestDirectory.h"
#include "debug/assertion.h"
#include "platform/messagebox/MessageBoxHook.h"

namespace {

const std::string SEPARATOR_LINE(40, '-');

std::string entryPattern(const std::string& condition, const std::string& file, int line) {
    return SEPARATOR_LINE + "\nAssertion failed\\. Message: " + condition + "\nFile: " + file +
           "\nLine: " + std::to_string(line) +
           "\nOccurred: (Sun|Mon|Tue|Wed|Thu|Fri|Sat) "
           "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] "
           "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n" +
           SEPARATOR_LINE + "\n";
}

TEST(AssertionLog, EntryGoesToStandardOutputAndToTheLogFile) {
    TestDirectory directory;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    assertionFailed("line.size()", "util/config/ConfigImpl", 108);
    const std::string printed = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();

    EXPECT_TRUE(std::regex_match(printed, std::regex(entryPattern("line\\.size\\(\\)", "util/config/ConfigImpl", 108))))
        << printed;
    EXPECT_EQ(printed, readWhole("assertion.txt"));
}

TEST(AssertionLog, EntriesAccumulateAndEarlierContentIsKept) {
    TestDirectory directory;
    writeWhole("assertion.txt", "earlier\n");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    assertionFailed("false", "a/b", 1);
    assertionFailed("x < y", "c/d", 22);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();

    const std::string pattern = "earlier\n" + entryPattern("false", "a/b", 1) + entryPattern("x < y", "c/d", 22);
    EXPECT_TRUE(std::regex_match(readWhole("assertion.txt"), std::regex(pattern))) << readWhole("assertion.txt");
}

TEST(AssertionLog, FollowsTheCurrentDirectory) {
    TestDirectory first;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    {
        TestDirectory second;
        assertionFailed("false", "f", 2);
        EXPECT_FALSE(readWhole(second.path() + "/assertion.txt").empty());
    }
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(readWhole(first.path() + "/assertion.txt").empty());
}

TEST(AssertionLog, UnwritableLogFileDoesNotStopTheCheckSite) {
    TestDirectory directory;
    ASSERT_EQ(0, mkdir("assertion.txt", 0755));  // a directory cannot be appended to
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    assertionFailed("false", "f", 3);
    EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
    testing::internal::GetCapturedStderr();
}

class HookGuard {
public:
    explicit HookGuard(platform::MessageBoxHook hook) : _previous(platform::setMessageBoxHook(hook)) {}
    ~HookGuard() { platform::setMessageBoxHook(_previous); }

private:
    platform::MessageBoxHook _previous;
};

TEST(AssertionReport, WithoutHookGoesToStandardErrorAndReturns) {
    TestDirectory directory;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    assertionFailed("false", "f", 4);
    testing::internal::GetCapturedStdout();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, report.find("Assertion failed!"));
    EXPECT_NE(std::string::npos, report.find("debug/assertion"));
}

TEST(AssertionReport, IgnoreThroughTheHookContinues) {
    TestDirectory directory;
    int shown = 0;
    HookGuard guard([&shown](const std::string&, const std::string& text, platform::MessageBoxKind kind) {
        ++shown;
        EXPECT_EQ(platform::MessageBoxKind::AssertionReport, kind);
        EXPECT_NE(std::string::npos, text.find("Line: 43"));
        return platform::MessageBoxResult::Ignore;
    });
    testing::internal::CaptureStdout();
    assertionFailed("false", "f", 5);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(1, shown);
}

TEST(AssertionReportDeathTest, AbortThroughTheHookEndsWithExitCode3) {
    TestDirectory directory;
    EXPECT_EXIT(
        {
            platform::setMessageBoxHook([](const std::string&, const std::string&, platform::MessageBoxKind) {
                return platform::MessageBoxResult::Abort;
            });
            assertionFailed("false", "f", 6);
        },
        testing::ExitedWithCode(3), "");
}

}
