#include "print/Names.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "print/Literals.h"

namespace jad {

namespace {

// Sorted, for binary search.
const char* const ReservedWords[] = {
    "_", "abstract", "assert", "boolean", "break", "byte", "case", "cast", "catch", "char", "class",
    "const", "continue", "default", "do", "double", "else", "enum", "extends", "false", "final",
    "finally", "float", "for", "future", "generic", "goto", "if", "implements", "import", "inner",
    "instanceof", "int", "interface", "long", "native", "new", "non-sealed", "null", "operator",
    "outer", "package", "permits", "private", "protected", "public", "record", "rest", "return",
    "sealed", "short", "static", "strictfp", "super", "switch", "synchronized", "this", "throw",
    "throws", "transient", "true", "try", "var", "void", "volatile", "while", "yield",
};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string displayName(const std::string& stored) {
    bool plain = std::all_of(stored.begin(), stored.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (plain) return stored;
    std::u16string units = decodeModifiedUtf8(stored);
    for (char16_t& unit : units) {
        if (unit < 0x20 || unit == 0x7F) unit = '_';
    }
    return toUtf8(units);
}

bool isReservedWord(const std::string& word) {
    // Views, not a temporary string per comparison.
    auto before = [](std::string_view a, std::string_view b) { return a < b; };
    return std::binary_search(std::begin(ReservedWords), std::end(ReservedWords), std::string_view(word), before);
}

bool isPlainIdentifier(const std::string& name) {
    if (name.empty() || isDigit(name[0])) return false;
    bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return isAsciiLetter(c) || isDigit(c) || c == '_'; });
    return ascii && !isReservedWord(name);
}

}  // namespace jad
