#pragma once

#include <string>

namespace util {

// Splits a text into non-empty tokens separated by any character of a
// delimiter set, reading forward only.
class StringTokenizer {
public:
    virtual ~StringTokenizer() = default;

    // Tokens from the current position to the end; does not move the position.
    virtual unsigned countTokens() const = 0;
    virtual bool hasMoreTokens() const = 0;
    // Requires hasMoreTokens(); otherwise records a failed check and throws std::out_of_range.
    virtual std::string nextToken() = 0;
    // The token tokensAheadOfNextToken places after the next one (0: the next one),
    // without moving. Requires tokensAheadOfNextToken < countTokens(); otherwise
    // throws std::out_of_range.
    virtual std::string peekToken(unsigned tokensAheadOfNextToken) const = 0;
};

}
