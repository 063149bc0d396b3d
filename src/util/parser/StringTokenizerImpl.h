#pragma once

#include <string>

#include "util/parser/StringTokenizer.h"

namespace util {

class StringTokenizerImpl : public StringTokenizer {
public:
    StringTokenizerImpl(const std::string& text, const std::string& delimiters);
    ~StringTokenizerImpl() override = default;

    unsigned countTokens() const override;
    bool hasMoreTokens() const override;
    std::string nextToken() override;
    std::string peekToken(unsigned tokensAheadOfNextToken) const override;

private:
    std::string::size_type delimiterFrom(std::string::size_type index) const;
    std::string::size_type tokenStartFrom(std::string::size_type index) const;
    std::string tokenAt(std::string::size_type start) const;

    std::string _text;
    std::string _delimiters;
    // First character of the next token, or npos when no token remains.
    std::string::size_type _position;
    // Tokens from the position on; see countTokens.
    unsigned _remaining;
};

}
