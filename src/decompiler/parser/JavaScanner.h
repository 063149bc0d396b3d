#pragma once

#include <cstddef>
#include <cstdint>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// The Java source scanner. It pulls its bytes from ParserImpl::instance()
// and counts lines there; there is one scanner per process.

// Token codes besides the byte values of one-character tokens.
const int TOKEN_END_OF_INPUT = 0;
const int TOKEN_DIMENSION = 326;
const int TOKEN_IDENTIFIER = 338;
const int TOKEN_LITERAL = 339;
const int TOKEN_BOOLEAN_LITERAL = 340;

// Returns the next token's code and leaves its text and line in the current
// token variables below.
int scanNextToken();

// Text and line of the most recent match; valid until the next scanNextToken.
const char* currentTokenText();
std::size_t currentTokenLength();
std::int32_t currentTokenLine();

// Drops everything the scanner has buffered, so that the next token comes
// from the start of the active parser's text.
void resetScanner();

}
}
}
}
