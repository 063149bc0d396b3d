#include <string>

#include <gtest/gtest.h>

#include "exceptions/NumberFormatException.h"
#include "util/Helpers.h"
#include "util/StringHelper.h"
#include "util/parser/ArgumentParserHelpers.h"

namespace {

using util::StringHelper;

TEST(Replace, RemovesEveryOccurrenceAndCountsThem) {
    std::string text = "\"a\" \"b";
    EXPECT_EQ(3u, StringHelper::replace(text, "\"", ""));
    EXPECT_EQ("a b", text);
}

TEST(Replace, NeverSearchesInsertedText) {
    std::string text = "aaa";
    EXPECT_EQ(3u, StringHelper::replace(text, "a", "aa"));
    EXPECT_EQ("aaaaaa", text);
    std::string overlapping = "abab";
    EXPECT_EQ(1u, StringHelper::replace(overlapping, "bab", "b"));
    EXPECT_EQ("ab", overlapping);
}

TEST(Replace, NothingFoundChangesNothing) {
    std::string text = "abc";
    EXPECT_EQ(0u, StringHelper::replace(text, "x", "y"));
    EXPECT_EQ("abc", text);
}

TEST(Format, SignedAndUnsignedDecimalForms) {
    EXPECT_EQ("-1", util::formatSigned(-1));
    EXPECT_EQ("4294967295", util::formatUnsigned(-1));
    EXPECT_EQ("-2147483648", util::formatSigned(INT32_MIN));
    EXPECT_EQ("0x1f", util::format(31, "0x%x"));
}

std::string toIntFailure(const std::string& text) {
    try {
        util::toInt(text);
    } catch (const exceptions::NumberFormatException& e) {
        return e.getMessage();
    }
    return "no exception";
}

TEST(ToInt, ReadsLikeAtoiWithZeroOnlyAsTheSingleDigit) {
    EXPECT_EQ(0, util::toInt("0"));
    EXPECT_EQ(12, util::toInt("12abc"));
    EXPECT_EQ(42, util::toInt(" 42"));
    EXPECT_EQ(-17, util::toInt("-17"));
    EXPECT_EQ(5, util::toInt("+5"));
    EXPECT_EQ(2147483647, util::toInt("2147483647"));
    EXPECT_EQ(-2147483647 - 1, util::toInt("-2147483648"));
}

TEST(ToInt, TextThatReadsAsZeroIsRejected) {
    for (const char* text : {"00", "-0", "+0", " 0", "abc", " ", "-"}) {
        EXPECT_EQ(std::string("Error parsing the string [") + text + "] to an integer", toIntFailure(text));
    }
    EXPECT_EQ("The empty string cannot be parsed into an integer", toIntFailure(""));
}

TEST(ToInt, ValuesBeyond32BitsAreRejectedNotWrapped) {
    EXPECT_EQ("Error parsing the string [2147483648] to an integer", toIntFailure("2147483648"));
    EXPECT_EQ("Error parsing the string [99999999999999999999] to an integer",
              toIntFailure("99999999999999999999"));
}

TEST(PathParts, QuotedPathSplitsWithoutQuotes) {
    EXPECT_EQ("/dir/", util::getDirectoryPart("\"/dir/file.class\""));
    EXPECT_EQ("file.class", util::getFileNamePart("\"/dir/file.class\""));
}

TEST(PathParts, TextWithoutSeparator) {
    EXPECT_EQ("", util::getDirectoryPart("\"file.class\""));
    EXPECT_EQ("file.class", util::getFileNamePart("\"file.class\""));
}

TEST(PathParts, TrailingSeparatorAndRoot) {
    EXPECT_EQ("/a/b/", util::getDirectoryPart("/a/b/"));
    EXPECT_EQ("", util::getFileNamePart("/a/b/"));
    EXPECT_EQ("/", util::getDirectoryPart("/x"));
    EXPECT_EQ("a\\b", util::getFileNamePart("/d/a\\b"));  // a backslash is an ordinary character
}

}
