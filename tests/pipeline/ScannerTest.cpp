#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScannerTestSupport.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"

using scannertest::codesOf;
using scannertest::scan;
using scannertest::ScanResult;
using scannertest::Token;

namespace {

const int IDENTIFIER = 338;
const int LITERAL = 339;
const int BOOLEAN_LITERAL = 340;
const int DIMENSION = 326;

std::vector<std::string> textsOf(const std::vector<Token>& tokens)
{
    std::vector<std::string> texts;
    for (const Token& token : tokens) {
        texts.push_back(token.text);
    }
    return texts;
}

// The text scans as exactly one token of this code.
void expectSingleToken(const std::string& text, int code)
{
    ScanResult result = scan(text);
    ASSERT_EQ(1u, result.tokens.size()) << text;
    EXPECT_EQ(code, result.tokens[0].code) << text;
    EXPECT_EQ(text, result.tokens[0].text);
    EXPECT_EQ("", result.strayBytes) << text;
}

}

TEST(Scanner, KeywordsAndIdentifierCarryTextAndLine)
{
    std::vector<Token> expected = {{298, "public", 0}, {267, "class", 0}, {IDENTIFIER, "Foo", 0}};
    EXPECT_EQ(expected, scan("public class Foo").tokens);
}

TEST(Scanner, EveryKeywordHasItsCode)
{
    const std::vector<std::string> keywords = {
        "abstract", "boolean", "break", "byte", "", "case", "cast", "catch", "char", "class", "const",
        "continue", "default", "do", "double", "else", "extends", "final", "finally", "float", "for",
        "future", "generic", "goto", "if", "implements", "import", "inner", "instanceof", "int",
        "interface", "long", "native", "new", "null", "operator", "outer", "package", "private",
        "protected", "public", "rest", "return", "short", "static", "super", "switch", "synchronized",
        "this", "throw", "throws", "transient", "try", "var", "void", "volatile", "while"};
    for (std::size_t index = 0; index < keywords.size(); ++index) {
        if (!keywords[index].empty()) {
            expectSingleToken(keywords[index], 258 + static_cast<int>(index));
        }
    }
}

TEST(Scanner, KeywordsOnlyAsWholeWords)
{
    EXPECT_EQ((std::vector<int>{BOOLEAN_LITERAL, BOOLEAN_LITERAL}), codesOf(scan("true false").tokens));
    for (const char* word : {"truex", "falsey", "classes", "strictfp", "assert", "_x1", "\x01" "a"}) {
        expectSingleToken(word, IDENTIFIER);
    }
}

TEST(Scanner, OperatorsTakeTheLongestMatch)
{
    const std::vector<std::string> operators = {"++", "--", "<<", ">>", ">>>", ">=", "<=", "==", "!=",
                                                "&&", "||"};
    for (std::size_t index = 0; index < operators.size(); ++index) {
        expectSingleToken(operators[index], 315 + static_cast<int>(index));
    }
    const std::vector<std::string> assignments = {"*=", "/=", "%=", "+=", "-=", "<<=", ">>=", ">>>=",
                                                  "&=", "^=", "|="};
    for (std::size_t index = 0; index < assignments.size(); ++index) {
        expectSingleToken(assignments[index], 327 + static_cast<int>(index));
    }
    EXPECT_EQ((std::vector<int>{IDENTIFIER, 334, LITERAL}), codesOf(scan("x>>>=1").tokens));
    EXPECT_EQ((std::vector<int>{IDENTIFIER, 319, IDENTIFIER}), codesOf(scan("a>>>b").tokens));
    EXPECT_EQ((std::vector<int>{'=', '>'}), codesOf(scan("=>").tokens));
}

TEST(Scanner, SingleCharacterTokensAreTheirByteValue)
{
    const std::string characters = "(){}[];,.=><!~?:+-*/&|^%";
    ScanResult result = scan(std::string("( ) { } [ x ] ; , . = > < ! ~ ? : + - * / & | ^ %"));
    std::vector<int> expected;
    for (char c : characters) {
        expected.push_back(static_cast<unsigned char>(c));
        if (c == '[') {
            expected.push_back(IDENTIFIER);
        }
    }
    EXPECT_EQ(expected, codesOf(result.tokens));
}

TEST(Scanner, DimensionTokenKeepsBlanksAndCommentsInside)
{
    std::vector<Token> expected = {{287, "int", 0}, {IDENTIFIER, "x", 0}, {DIMENSION, "[ ]", 0}};
    EXPECT_EQ(expected, scan("int x[ ]").tokens);
    expectSingleToken("[]", DIMENSION);
    expectSingleToken("[/* c */]", DIMENSION);
    expectSingleToken("[\t\r\f\b // c\n]", DIMENSION);
    // The line feed inside the token is not counted.
    ScanResult result = scan("[\n] y");
    ASSERT_EQ(2u, result.tokens.size());
    EXPECT_EQ(0, result.tokens[1].line);
    // With anything but blanks and comments inside, the brackets are separate.
    EXPECT_EQ((std::vector<int>{'[', LITERAL, ']'}), codesOf(scan("[1]").tokens));
}

TEST(Scanner, LinesCountOnlyLineFeedsOutsideCommentsAndLiterals)
{
    EXPECT_EQ(3, scan("// a\n// b\n\nclass A").tokens.at(0).line);
    EXPECT_EQ(1, scan("/* a\nb */\nclass A").tokens.at(0).line);
    EXPECT_EQ(0, scan("\"a\nb\" x").tokens.at(1).line);
    EXPECT_EQ(0, scan("'\n' x").tokens.at(1).line);
    EXPECT_EQ(2, scan("a\r\n\r\nb").tokens.at(1).line);
    EXPECT_EQ(0, scan("a\r\rb").tokens.at(1).line);
}

TEST(Scanner, CharacterAndStringLiteralsWithEscapes)
{
    for (const char* literal : {"'\\''", "'\\\\'", "'\\377'", "'\\7'", "'\\77'", "'a'", "'\"'",
                                "\"a\\\"b\"", "\"\"", "\"\\b\\t\\n\\f\\r\\0\"", "\"a'b\""}) {
        expectSingleToken(literal, LITERAL);
    }
    // \400 is not an escape: the quote and the backslash are stray bytes.
    ScanResult result = scan("'\\400'");
    EXPECT_EQ((std::vector<std::string>{"400"}), textsOf(result.tokens));
    EXPECT_EQ("'\\'", result.strayBytes);
}

TEST(Scanner, UnicodeEscapeIsNotAnEscape)
{
    ScanResult result = scan("\"\\u00e9\" + \"x\"");
    // The first quote and the backslash are stray; the closing quote opens a
    // literal that runs to the next quote.
    EXPECT_EQ((std::vector<std::string>{"u00e9", "\" + \"", "x"}), textsOf(result.tokens));
    EXPECT_EQ("\"\\\"", result.strayBytes);
}

TEST(Scanner, UnterminatedLiteralsAndCommentsScanOn)
{
    ScanResult unterminatedString = scan("\"abc");
    EXPECT_EQ((std::vector<std::string>{"abc"}), textsOf(unterminatedString.tokens));
    EXPECT_EQ("\"", unterminatedString.strayBytes);

    EXPECT_EQ((std::vector<int>{'/', '*', IDENTIFIER}), codesOf(scan("/* abc").tokens));
    EXPECT_EQ((std::vector<int>{'/', '*', '*', '*', '/'}), codesOf(scan("/***/").tokens));
    EXPECT_EQ((std::vector<int>{'/', '*', IDENTIFIER, '*', '*', '/'}), codesOf(scan("/* x **/").tokens));
    EXPECT_TRUE(scan("/**/ /* a * b */ // c").tokens.empty());
}

TEST(Scanner, NumberForms)
{
    for (const char* number : {"1", "123L", "0", "07", "0l", "0xFFL", "0X1f", "1.", "1.5", ".5f", "1e10",
                               "1e", "1.5E-3d", "3d", "2F", "08.5"}) {
        expectSingleToken(number, LITERAL);
    }
    EXPECT_EQ((std::vector<std::string>{"1.", ".2"}), textsOf(scan("1..2").tokens));
    EXPECT_EQ((std::vector<std::string>{"0", "8"}), textsOf(scan("08").tokens));
    EXPECT_EQ((std::vector<int>{LITERAL, IDENTIFIER}), codesOf(scan("0x").tokens));
    EXPECT_EQ((std::vector<std::string>{"1.5e", "+"}), textsOf(scan("1.5e+").tokens));
}

TEST(Scanner, DollarSplitsEngineNames)
{
    ScanResult result = scan("this$0 a$b");
    EXPECT_EQ((std::vector<int>{306, LITERAL, IDENTIFIER, IDENTIFIER}), codesOf(result.tokens));
    EXPECT_EQ("$$", result.strayBytes);
}

TEST(Scanner, StrayBytesProduceNoTokens)
{
    std::string strays = "#@`\x7f\x80\xff\x02\x0b\\";
    strays += '\0';
    ScanResult result = scan("a" + strays + "b");
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), textsOf(result.tokens));
    EXPECT_EQ(strays, result.strayBytes);
}

TEST(Scanner, EmptyTextEndsAtOnce)
{
    ScanResult result = scan("");
    EXPECT_TRUE(result.tokens.empty());
    EXPECT_EQ("", result.strayBytes);
}

TEST(Scanner, HighBytesInsideLiteralsAndComments)
{
    std::vector<Token> expected = {{LITERAL, "\"a\xff" "b\"", 0}, {IDENTIFIER, "x", 0}};
    EXPECT_EQ(expected, scan("\"a\xff" "b\" x").tokens);
    EXPECT_EQ((std::vector<std::string>{"y"}), textsOf(scan("/* \xff\xfe */ y // \x80").tokens));
}

TEST(Scanner, TokenLongerThanTheInitialBufferIsWhole)
{
    std::string literal = "\"" + std::string(100000, 'x') + "\"";
    std::vector<Token> tokens = scan(literal + " y").tokens;
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(literal, tokens[0].text);
    EXPECT_EQ("y", tokens[1].text);
}

TEST(Scanner, NextParseStartsCleanAfterAbandonedParse)
{
    using products::zefra::decompiler::parser::ParserException;
    using products::zefra::decompiler::parser::ParserImpl;
    // The syntax error comes early in a text much longer than what the
    // scanner buffers at a time.
    std::string bad = "class A { int goto; }\n" + std::string(50000, ' ') + "class B { }";
    {
        ParserImpl parser;
        EXPECT_THROW(parser.parse(bad), ParserException);
    }
    std::vector<Token> expected = {{267, "class", 0}, {IDENTIFIER, "C", 0}};
    EXPECT_EQ(expected, scan("class C").tokens);
    ParserImpl parser;
    EXPECT_EQ("0;0;0;package;D;", parser.parse("class D { }"));
}

TEST(Scanner, EveryByteValueIsConsumed)
{
    for (int value = 0; value < 256; ++value) {
        std::string text = "a" + std::string(1, static_cast<char>(value)) + "b";
        ScanResult result = scan(text);
        std::string seen;
        for (const Token& token : result.tokens) {
            seen += token.text;
        }
        // Every byte ends up in a token, in the stray bytes, or is a blank.
        EXPECT_LE(seen.size() + result.strayBytes.size(), text.size()) << value;
        EXPECT_GE(seen.size() + result.strayBytes.size() + 1, text.size()) << value;
    }
}
