#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "debug/assertion.h"
#include "platform/messagebox/MessageBoxHook.h"

namespace {

const std::string SEPARATOR_LINE(40, '-');

// The asctime form: "Www Mmm dd hh:mm:ss yyyy", the day padded with a blank.
bool isAsctimeText(const std::string& text) {
    const std::string days = "Sun Mon Tue Wed Thu Fri Sat ";
    const std::string months = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec ";
    const std::string shape = "aaa aaa dd dd:dd:dd dddd";
    if (text.size() != shape.size() || days.find(text.substr(0, 4)) % 4 != 0 ||
        months.find(text.substr(4, 4)) % 4 != 0) {
        return false;
    }
    for (std::size_t i = 8; i < shape.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        bool fits = shape[i] == 'd' ? digit || (i == 8 && text[i] == ' ') : text[i] == shape[i];
        if (!fits) {
            return false;
        }
    }
    return true;
}

// Checks one entry at the start of text and returns what follows it.
std::string expectEntry(const std::string& text, const std::string& condition, const std::string& file, int line) {
    const std::string head = SEPARATOR_LINE + "\nAssertion failed. Message: " + condition + "\nFile: " + file +
                             "\nLine: " + std::to_string(line) + "\nOccurred: ";
    const std::string tail = "\n" + SEPARATOR_LINE + "\n";
    const std::size_t length = head.size() + 24 + tail.size();
    EXPECT_EQ(head, text.substr(0, head.size())) << text;
    EXPECT_TRUE(isAsctimeText(text.substr(head.size(), 24))) << text;
    EXPECT_EQ(tail, text.substr(head.size() + 24, tail.size())) << text;
    return text.size() >= length ? text.substr(length) : "";
}

TEST(AssertionLog, EntryGoesToStandardOutputAndToTheLogFile) {
    TestDirectory directory;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    assertionFailed("line.size()", "util/config/ConfigImpl", 108);
    const std::string printed = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();

    EXPECT_EQ("", expectEntry(printed, "line.size()", "util/config/ConfigImpl", 108));
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

    const std::string log = readWhole("assertion.txt");
    ASSERT_EQ("earlier\n", log.substr(0, 8));
    EXPECT_EQ("", expectEntry(expectEntry(log.substr(8), "false", "a/b", 1), "x < y", "c/d", 22));
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
