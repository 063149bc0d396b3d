#pragma once

#include <cstddef>
#include <cstdint>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// The scanner of the modern Java grammar (Java up to 25). Like the classic
// scanner it pulls its bytes from ParserImpl::instance() and counts lines
// there, but it counts every line feed, those inside comments and text
// blocks included, so that declaration lines are the text's true lines.

// Returns the next token's code (0 at the end of input) and leaves its text
// and line in the current token variables below.
int scanNextModernToken();

// Text and line of the token just returned; valid until the next call. At
// the end of input the text is empty.
const char* currentModernTokenText();
std::size_t currentModernTokenLength();
std::int32_t currentModernTokenLine();

// Drops everything the scanner has buffered.
void resetModernScanner();

}
}
}
}
