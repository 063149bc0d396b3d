#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "util/parser/StringTokenizerImpl.h"

namespace {

using util::StringTokenizerImpl;

std::vector<std::string> allTokens(const std::string& text, const std::string& delimiters) {
    StringTokenizerImpl tokenizer(text, delimiters);
    std::vector<std::string> tokens;
    while (tokenizer.hasMoreTokens()) {
        tokens.push_back(tokenizer.nextToken());
    }
    return tokens;
}

using Tokens = std::vector<std::string>;

TEST(Tokenizer, RunsOfDelimitersSeparateNothing) {
    EXPECT_EQ((Tokens{"a", "b"}), allTokens("a;;b;", ";"));
    EXPECT_EQ((Tokens{"a"}), allTokens(";;a", ";"));
    EXPECT_EQ((Tokens{}), allTokens(";;;", ";"));
    EXPECT_EQ((Tokens{}), allTokens("", ";"));
}

TEST(Tokenizer, EveryCharacterOfTheSetDelimits) {
    EXPECT_EQ((Tokens{"x", "y", "z"}), allTokens("x, y;z", ",; "));
    EXPECT_EQ((Tokens{"a=1", "b=2"}), allTokens("a=1\r\n\r\nb=2\n", "\r\n"));
}

TEST(Tokenizer, EmptyDelimiterSetGivesTheWholeText) {
    EXPECT_EQ((Tokens{"a;b c"}), allTokens("a;b c", ""));
}

TEST(Tokenizer, CountFollowsNextToken) {
    StringTokenizerImpl tokenizer("a;;b;c;;", ";");
    EXPECT_EQ(3u, tokenizer.countTokens());
    tokenizer.nextToken();
    EXPECT_EQ(2u, tokenizer.countTokens());
    tokenizer.nextToken();
    tokenizer.nextToken();
    EXPECT_EQ(0u, tokenizer.countTokens());
    EXPECT_FALSE(tokenizer.hasMoreTokens());
}

TEST(Tokenizer, PeekDoesNotMove) {
    StringTokenizerImpl tokenizer(";one;two;;three", ";");
    EXPECT_EQ("one", tokenizer.peekToken(0));
    EXPECT_EQ("three", tokenizer.peekToken(2));
    EXPECT_EQ(3u, tokenizer.countTokens());
    EXPECT_EQ("one", tokenizer.nextToken());
    EXPECT_EQ("two", tokenizer.peekToken(0));
    EXPECT_EQ("three", tokenizer.peekToken(1));
}

TEST(Tokenizer, ReadingPastTheEndFailsWithOutOfRange) {
    TestDirectory directory;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    StringTokenizerImpl tokenizer("a", ";");
    EXPECT_THROW(tokenizer.peekToken(1), std::out_of_range);
    tokenizer.nextToken();
    EXPECT_THROW(tokenizer.nextToken(), std::out_of_range);
    EXPECT_THROW(tokenizer.peekToken(0), std::out_of_range);
    EXPECT_FALSE(tokenizer.hasMoreTokens());
    const std::string log = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Message: hasMoreTokens()"));
    EXPECT_EQ(std::string::npos, log.find("countTokens() >= tokensAheadOfNextToken"));
}

// The count is kept rather than rescanned; it must agree with a fresh scan.
TEST(Tokenizer, KeptCountEqualsAFreshScanAtEveryStep) {
    const std::string text = ";;a;bb;;c;d;;;eee;f";
    StringTokenizerImpl tokenizer(text, ";");
    while (tokenizer.hasMoreTokens()) {
        unsigned scanned = 0;
        while (scanned < 100) {
            try {
                tokenizer.peekToken(scanned);
            } catch (const std::out_of_range&) {
                break;
            }
            ++scanned;
        }
        EXPECT_EQ(scanned, tokenizer.countTokens());
        tokenizer.nextToken();
    }
}

}
