#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "util/parser/StringTokenizerImpl.h"

namespace {

// The tokenizer's count as a fresh scan of the rest of the text would give it.
unsigned countByScanning(const std::string& rest, const std::string& delimiters)
{
    unsigned count = 0;
    bool inToken = false;
    for (char c : rest) {
        bool isDelimiter = delimiters.find(c) != std::string::npos;
        if (!isDelimiter && !inToken) {
            ++count;
        }
        inToken = !isDelimiter;
    }
    return count;
}

std::string randomText(std::mt19937& random)
{
    const std::string alphabet = "ab;;0 ";
    std::uniform_int_distribution<std::size_t> length(0, 30);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) {
        text += alphabet[pick(random)];
    }
    return text;
}

}

// The tree builder relies on a count kept up to date rather than rescanned;
// it must equal the scan after every operation.
TEST(TokenizerCount, KeptCountEqualsAFreshScan)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text = randomText(random);
        util::StringTokenizerImpl tokenizer(text, ";");
        std::string::size_type consumed = 0;
        while (tokenizer.hasMoreTokens()) {
            ASSERT_EQ(countByScanning(text.substr(consumed), ";"), tokenizer.countTokens()) << text;
            std::string peeked = tokenizer.peekToken(0);
            std::string token = tokenizer.nextToken();
            ASSERT_EQ(peeked, token);
            consumed = text.find(token, consumed) + token.size();
        }
        EXPECT_EQ(0u, tokenizer.countTokens()) << text;
    }
}
