#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "decompiler/parser/JavaDialect.h"
#include "decompiler/parser/Parser.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// One parse in progress. The scanner and the grammar's actions reach it
// through instance(), so only one parse can run at a time.
class ParserImpl : public Parser {
public:
    explicit ParserImpl(JavaDialect dialect = JavaDialect::Classic);
    ~ParserImpl() override;
    ParserImpl(const ParserImpl&) = delete;
    ParserImpl& operator=(const ParserImpl&) = delete;

    // Returns the parsing result, or throws ParserException carrying the text.
    std::string parse(const std::string& text) override;

    // The parser of the parse in progress; null when there is none.
    static ParserImpl* instance();

    // Grammar actions.
    void addRecord(std::int32_t kind, const std::string& modifiers, const std::string& str,
                   std::uint32_t line);
    void enterClassBody() { ++_classDepth; }
    void leaveClassBody() { --_classDepth; }
    // Error hook of the parse loop; the message is not used.
    void reportSyntaxError(const char* message);

    // Makes this the active parser and rewinds it to the start of the text,
    // ready for the scanner. parse does this first.
    void load(const std::string& text);

    // Scanner services. readNextByte returns the next byte (0 to 255) or -1
    // at the end of the text.
    int readNextByte()
    {
        if (_position >= _text.size()) {
            return -1;
        }
        return static_cast<unsigned char>(_text[_position++]);
    }
    void incrementLineCount() { ++_lineCount; }
    std::int32_t getLineCount() const { return _lineCount; }

private:
    void resetParseState();
    void appendToResult(const std::string& s);
    static unsigned countSeparators(const std::string& text);

    const JavaDialect _dialect;
    const std::int32_t _noErrorLine;
    std::int32_t _errorLine;
    std::int32_t _lineCount;
    std::int32_t _classDepth;
    std::size_t _position;
    std::string _text;
    std::string _parsingResult;
    const std::string _defaultAccess;
    // What the record checks would find in _parsingResult.
    unsigned _resultSeparatorCount;
    bool _resultHasTwoSeparators;
};

}
}
}
}
