#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/messagebox/MessageBoxHook.h"
#include "platform/messagebox/MessageBoxReporter.h"

namespace {

using platform::MessageBoxKind;
using platform::MessageBoxResult;

struct ShownBox {
    std::string caption;
    std::string text;
    MessageBoxKind kind;
};

TEST(MessageBoxReporter, CaptionsAndKindsThroughTheHook) {
    std::vector<ShownBox> shown;
    platform::MessageBoxHook previous = platform::setMessageBoxHook(
        [&shown](const std::string& caption, const std::string& text, MessageBoxKind kind) {
            shown.push_back({caption, text, kind});
            return MessageBoxResult::Ok;
        });
    platform::MessageBoxReporter reporter("Zefra - Java Decompiler");
    platform::ErrorReporter& errors = reporter;
    errors.reportError("e");
    reporter.reportSuccess("s");
    reporter.reportInformation("i");
    platform::setMessageBoxHook(previous);

    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("Zefra - Java Decompiler Error", shown[0].caption);
    EXPECT_EQ("e", shown[0].text);
    EXPECT_EQ(MessageBoxKind::Error, shown[0].kind);
    EXPECT_EQ("Zefra - Java Decompiler Success", shown[1].caption);
    EXPECT_EQ(MessageBoxKind::Success, shown[1].kind);
    EXPECT_EQ("Zefra - Java Decompiler Information", shown[2].caption);
    EXPECT_EQ(MessageBoxKind::Information, shown[2].kind);
}

TEST(MessageBoxReporter, WithoutHookWritesToStandardErrorAndReturns) {
    platform::MessageBoxHook previous = platform::setMessageBoxHook(nullptr);
    testing::internal::CaptureStderr();
    platform::MessageBoxReporter("T").reportError("It broke.");
    EXPECT_EQ("T Error\nIt broke.\n", testing::internal::GetCapturedStderr());
    platform::setMessageBoxHook(previous);
}

TEST(MessageBoxHook, ThrowingHookFallsBackToStandardError) {
    platform::MessageBoxHook previous = platform::setMessageBoxHook(
        [](const std::string&, const std::string&, MessageBoxKind) -> MessageBoxResult { throw 1; });
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxResult::Ok, platform::showMessageBox("c", "t", MessageBoxKind::Information));
    EXPECT_EQ("c\nt\n", testing::internal::GetCapturedStderr());
    platform::setMessageBoxHook(previous);
}

}
