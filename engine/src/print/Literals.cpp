#include "print/Literals.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace jad {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string octalEscape(unsigned value) {
    char text[5];
    std::snprintf(text, sizeof text, "\\%03o", value & 0xFFu);
    return text;
}

// The escape for a unit inside a string literal, or empty when it prints raw.
std::string stringEscape(char16_t unit) {
    switch (unit) {
    case '\b': return "\\b";
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\f': return "\\f";
    case '\r': return "\\r";
    case '"': return "\\\"";
    case '\\': return "\\\\";
    default: break;
    }
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) return octalEscape(unit);
    return std::string();
}

// Appends the quoted text of units[begin, end); lone surrogates cannot be
// written inside quotes without \u, so they become (char)N terms.
void appendPiece(std::vector<std::string>& terms, const std::u16string& units, size_t begin,
                 size_t end) {
    std::string quoted;
    bool open = false;
    auto closeQuote = [&] {
        if (open) terms.push_back("\"" + quoted + "\"");
        quoted.clear();
        open = false;
    };
    for (size_t i = begin; i < end; ++i) {
        char16_t unit = units[i];
        if (isHighSurrogate(unit) && i + 1 < end && isLowSurrogate(units[i + 1])) {
            uint32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            appendUtf8(quoted, codePoint);
            open = true;
            ++i;
            continue;
        }
        if (isSurrogate(unit)) {
            closeQuote();
            terms.push_back("(char)" + std::to_string(static_cast<unsigned>(unit)));
            continue;
        }
        std::string escape = stringEscape(unit);
        if (escape.empty()) {
            appendUtf8(quoted, unit);
        } else {
            quoted += escape;
        }
        open = true;
    }
    closeQuote();
}

// Shortest round-trip digits and decimal exponent of a finite, non-zero value:
// value = 0.d1d2d3... x 10^exponent written as d1.d2d3...E(exponent-1).
template <typename Float>
void shortestDigits(Float value, std::string& digits, int& exponent) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    exponent = std::atoi(text.c_str() + e + 1);
    digits.clear();
    for (char c : mantissa) {
        if (c >= '0' && c <= '9') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// Java's own layout: plain decimal for 1e-3 <= |v| < 1e7, else d.dddE±n.
template <typename Float>
std::string floatingText(Float value) {
    std::string sign = std::signbit(value) ? "-" : "";
    Float magnitude = std::fabs(value);
    if (magnitude == 0) return sign + "0.0";
    std::string digits;
    int exponent = 0;
    shortestDigits(magnitude, digits, exponent);
    if (magnitude >= Float(1e-3) && magnitude < Float(1e7)) {
        std::string text;
        if (exponent < 0) {
            text = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else {
            size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text = digits + std::string(integerDigits - digits.size(), '0') + ".0";
            } else {
                text = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
            }
        }
        return sign + text;
    }
    std::string fraction = digits.size() > 1 ? digits.substr(1) : "0";
    return sign + digits.substr(0, 1) + "." + fraction + "E" + std::to_string(exponent);
}

}  // namespace

std::u16string decodeModifiedUtf8(const std::string& bytes) {
    std::u16string units;
    units.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 >= 0xC0 && b0 < 0xE0 && i + 1 < bytes.size() &&
            isContinuation(static_cast<unsigned char>(bytes[i + 1]))) {
            units += static_cast<char16_t>(((b0 & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            i += 2;
        } else if (b0 >= 0xE0 && b0 < 0xF0 && i + 2 < bytes.size() &&
                   isContinuation(static_cast<unsigned char>(bytes[i + 1])) &&
                   isContinuation(static_cast<unsigned char>(bytes[i + 2]))) {
            units += static_cast<char16_t>(((b0 & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) |
                                           (bytes[i + 2] & 0x3F));
            i += 3;
        } else {
            // Not valid modified UTF-8: keep the byte as the character it names
            // in Latin-1 rather than dropping text.
            units += static_cast<char16_t>(b0);
            ++i;
        }
    }
    return units;
}

std::string toUtf8(const std::u16string& units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char16_t unit = units[i];
        if (isHighSurrogate(unit) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string stringLiteral(const std::u16string& units, int splitAt) {
    std::vector<std::string> terms;
    size_t step = splitAt > 0 ? static_cast<size_t>(splitAt) : units.size();
    if (step == 0) step = 1;
    size_t begin = 0;
    while (begin < units.size()) {
        size_t end = std::min(units.size(), begin + step);
        // Never cut a surrogate pair in two.
        if (end < units.size() && end > begin + 1 && isHighSurrogate(units[end - 1]) &&
            isLowSurrogate(units[end])) {
            --end;
        }
        appendPiece(terms, units, begin, end);
        begin = end;
    }
    if (terms.empty()) return "\"\"";
    // A term list without a string in front would add chars as numbers.
    if (terms.front()[0] != '"') terms.insert(terms.begin(), "\"\"");
    std::string text = terms.front();
    for (size_t i = 1; i < terms.size(); ++i) text += " + " + terms[i];
    return text;
}

std::string charLiteral(char16_t c) {
    if (c > 0xFF) return "(char)" + std::to_string(static_cast<unsigned>(c));
    switch (c) {
    case '\b': return "'\\b'";
    case '\t': return "'\\t'";
    case '\n': return "'\\n'";
    case '\f': return "'\\f'";
    case '\r': return "'\\r'";
    case '\'': return "'\\''";
    case '\\': return "'\\\\'";
    default: break;
    }
    if (c < 0x20 || c >= 0x7F) return "'" + octalEscape(c) + "'";
    return std::string("'") + static_cast<char>(c) + "'";
}

std::string intLiteral(int32_t value) {
    if (value == std::numeric_limits<int32_t>::min()) return "Integer.MIN_VALUE";
    return std::to_string(value);
}

std::string longLiteral(int64_t value) {
    if (value == std::numeric_limits<int64_t>::min()) return "Long.MIN_VALUE";
    return std::to_string(value) + "L";
}

std::string floatLiteral(float value) {
    if (std::isnan(value)) return "Float.NaN";
    if (std::isinf(value)) return value > 0 ? "Float.POSITIVE_INFINITY" : "Float.NEGATIVE_INFINITY";
    return floatingText(value) + "F";
}

std::string doubleLiteral(double value) {
    if (std::isnan(value)) return "Double.NaN";
    if (std::isinf(value)) return value > 0 ? "Double.POSITIVE_INFINITY" : "Double.NEGATIVE_INFINITY";
    return floatingText(value);
}

}  // namespace jad
