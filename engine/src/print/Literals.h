// Java literals in the classic dialect: they read back to exactly the value
// the class file holds, and never use a form the viewer's scanner rejects
// (no \u escapes, no underscores, no hex floats).
#pragma once

#include <cstdint>
#include <string>

namespace jad {

// Modified UTF-8 as stored in the class file to UTF-16 code units and back to
// standard UTF-8 (a lone surrogate is kept as its own three-byte form).
std::u16string decodeModifiedUtf8(const std::string& bytes);
std::string toUtf8(const std::u16string& units);

// A quoted string literal; when `splitAt` > 0, a literal longer than that is
// cut into pieces of at most `splitAt` characters joined with " + ". Lone
// surrogates, which no quoted text can hold, become (char)N terms likewise;
// callers parenthesise a result with several terms where precedence needs it.
std::string stringLiteral(const std::u16string& units, int splitAt = 0);
// 'a', '\n', '\377'; a character above \377 prints as (char)N.
std::string charLiteral(char16_t c);
std::string intLiteral(int32_t value);     // Integer.MIN_VALUE reads back exactly
std::string longLiteral(int64_t value);    // with the L suffix
std::string floatLiteral(float value);     // shortest text that reads back; F suffix; Float.NaN etc.
std::string doubleLiteral(double value);   // shortest text that reads back; Double.NaN etc.

}  // namespace jad
