#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "print/Literals.h"

namespace jad {
namespace {

std::u16string units(const char* ascii) {
    std::u16string text;
    for (const char* p = ascii; *p; ++p) text += static_cast<char16_t>(*p);
    return text;
}

TEST(Literals, ModifiedUtf8DecodesNullAndSupplementaryPairs) {
    // C0 80 is the modified form of U+0000; ED A0 BD ED B8 80 is U+1F600 as a pair.
    std::string bytes = "a\xC0\x80\xED\xA0\xBD\xED\xB8\x80";
    std::u16string decoded = decodeModifiedUtf8(bytes);
    ASSERT_EQ(decoded.size(), 4u);
    EXPECT_EQ(decoded[1], 0);
    EXPECT_EQ(decoded[2], 0xD83D);
    EXPECT_EQ(toUtf8(decoded), std::string("a\0\xF0\x9F\x98\x80", 6));
    // A truncated sequence keeps its bytes rather than reading past the end.
    EXPECT_EQ(decodeModifiedUtf8("\xE2\x82").size(), 2u);
}

TEST(Literals, StringsUseOnlyTheDialectsEscapes) {
    EXPECT_EQ(stringLiteral(units("a\"b\\c\n\t\r\b\f'")), "\"a\\\"b\\\\c\\n\\t\\r\\b\\f'\"");
    std::u16string controls = {0, 1, 0x7F, 0x9F, 0xE9, 0x20AC};
    EXPECT_EQ(stringLiteral(controls), "\"\\000\\001\\177\\237\xC3\xA9\xE2\x82\xAC\"");
    EXPECT_EQ(stringLiteral(u""), "\"\"");
}

TEST(Literals, LoneSurrogatesBecomeCharTerms) {
    std::u16string text = {'a', 0xD800, 'b'};
    EXPECT_EQ(stringLiteral(text), "\"a\" + (char)55296 + \"b\"");
    EXPECT_EQ(stringLiteral(std::u16string(1, 0xDC00)), "\"\" + (char)56320");
}

TEST(Literals, LongStringsSplitIntoPieces) {
    EXPECT_EQ(stringLiteral(units("abcdefg"), 3), "\"abc\" + \"def\" + \"g\"");
    EXPECT_EQ(stringLiteral(units("abc"), 3), "\"abc\"");
    std::u16string pair = {'a', 'b', 0xD83D, 0xDE00};
    EXPECT_EQ(stringLiteral(pair, 3), "\"ab\" + \"\xF0\x9F\x98\x80\"");
}

TEST(Literals, CharsHoldOneByte) {
    EXPECT_EQ(charLiteral('a'), "'a'");
    EXPECT_EQ(charLiteral('\''), "'\\''");
    EXPECT_EQ(charLiteral('"'), "'\"'");
    EXPECT_EQ(charLiteral('\\'), "'\\\\'");
    EXPECT_EQ(charLiteral(0), "'\\000'");
    EXPECT_EQ(charLiteral(0xFF), "'\\377'");
    EXPECT_EQ(charLiteral(0x100), "(char)256");
}

TEST(Literals, IntegersAtTheirEdges) {
    EXPECT_EQ(intLiteral(-5), "-5");
    EXPECT_EQ(intLiteral(std::numeric_limits<int32_t>::min()), "Integer.MIN_VALUE");
    EXPECT_EQ(intLiteral(std::numeric_limits<int32_t>::max()), "2147483647");
    EXPECT_EQ(longLiteral(std::numeric_limits<int64_t>::min()), "Long.MIN_VALUE");
    EXPECT_EQ(longLiteral(-1), "-1L");
}

TEST(Literals, FloatingValuesInJavasLayout) {
    EXPECT_EQ(doubleLiteral(1.0), "1.0");
    EXPECT_EQ(doubleLiteral(0.1), "0.1");
    EXPECT_EQ(doubleLiteral(-0.0), "-0.0");
    EXPECT_EQ(doubleLiteral(1234567.0), "1234567.0");
    EXPECT_EQ(doubleLiteral(1e7), "1.0E7");
    EXPECT_EQ(doubleLiteral(0.001), "0.001");
    EXPECT_EQ(doubleLiteral(1.0e-4), "1.0E-4");
    EXPECT_EQ(doubleLiteral(std::numeric_limits<double>::denorm_min()), "5.0E-324");
    EXPECT_EQ(doubleLiteral(std::numeric_limits<double>::max()), "1.7976931348623157E308");
    EXPECT_EQ(floatLiteral(0.1f), "0.1F");
    EXPECT_EQ(floatLiteral(std::numeric_limits<float>::denorm_min()), "1.0E-45F");
    EXPECT_EQ(floatLiteral(3.4028235e38f), "3.4028235E38F");
    EXPECT_EQ(floatLiteral(std::nanf("")), "Float.NaN");
    EXPECT_EQ(doubleLiteral(-HUGE_VAL), "Double.NEGATIVE_INFINITY");
    EXPECT_EQ(floatLiteral(HUGE_VALF), "Float.POSITIVE_INFINITY");
}

TEST(Literals, FloatingTextReadsBackExactly) {
    for (double value : {0.3, 1.0 / 3, 2.5e-300, 123456.789, 9007199254740993.0, 1e22}) {
        std::string text = doubleLiteral(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
    for (float value : {0.3f, 1.0f / 3, 1e-40f, 16777217.0f, 65504.0f}) {
        std::string text = floatLiteral(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
}

}  // namespace
}  // namespace jad
