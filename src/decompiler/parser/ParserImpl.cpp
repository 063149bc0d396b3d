#include "decompiler/parser/ParserImpl.h"

#include <algorithm>

#include "debug/assertion.h"
#include "decompiler/parser/JavaGrammar.h"
#include "decompiler/parser/ModernJavaGrammar.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParsingResult.h"
#include "util/Helpers.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

const char* const SOURCE_PATH = "decompiler/parser/ParserImpl";
const char* const PARSING_ERROR_MESSAGE = "A parsing error occurred.";
const std::string SEPARATOR(1, RECORD_SEPARATOR);
const std::string TWO_SEPARATORS(2, RECORD_SEPARATOR);

// Lines under which the record checks have always been logged.
const int LINE_EMPTY_NAME = 63;
const int LINE_TWO_SEPARATORS = 75;
const int LINE_RECORD_SEPARATORS = 77;
const int LINE_RESULT_SEPARATORS = 81;
const int LINE_UNEXPECTED = 85;

ParserImpl* activeParser = nullptr;

// Cut before the first brace, separators made blanks. The general text
// replacement reports a zero byte as a failed check, but a zero byte in a
// string literal is the class file's data, not an inconsistency; replacing
// the one character directly gives the same name without the report.
std::string nameText(const std::string& str)
{
    std::string name = str.substr(0, str.find('{'));
    std::replace(name.begin(), name.end(), RECORD_SEPARATOR, ' ');
    return name;
}

}

ParserImpl::ParserImpl(JavaDialect dialect)
    : _dialect(dialect),
      _noErrorLine(-1),
      _errorLine(-1),
      _lineCount(0),
      _classDepth(0),
      _position(0),
      _defaultAccess("package"),
      _resultSeparatorCount(0),
      _resultHasTwoSeparators(false)
{
    activeParser = this;
}

ParserImpl::~ParserImpl()
{
    // A parser that was superseded must not clear its successor.
    if (activeParser == this) {
        activeParser = nullptr;
    }
}

ParserImpl* ParserImpl::instance()
{
    return activeParser;
}

void ParserImpl::resetParseState()
{
    _errorLine = _noErrorLine;
    _lineCount = 0;
    _classDepth = 0;
    _position = 0;
    _parsingResult.clear();
    _resultSeparatorCount = 0;
    _resultHasTwoSeparators = false;
}

void ParserImpl::load(const std::string& text)
{
    // The scanner and the actions report to the active parser; make sure it
    // is this one, and that a second call starts from the beginning.
    activeParser = this;
    resetParseState();
    _text = text;
}

std::string ParserImpl::parse(const std::string& text)
{
    load(text);
    if (_dialect == JavaDialect::Modern) {
        runModernParseLoop();
    } else {
        runParseLoop();
    }
    if (_errorLine != _noErrorLine) {
        throw ParserException(_text, _errorLine, PARSING_ERROR_MESSAGE);
    }
    return _parsingResult;
}

void ParserImpl::reportSyntaxError(const char* /*message*/)
{
    _errorLine = _lineCount;
}

// The result's checks are kept up to date as it grows instead of scanning
// the whole result for every record.
void ParserImpl::appendToResult(const std::string& s)
{
    bool joinsSeparators = !_parsingResult.empty() && !s.empty()
                           && _parsingResult.back() == RECORD_SEPARATOR && s.front() == RECORD_SEPARATOR;
    bool holdsTwoSeparators = joinsSeparators || s.find(TWO_SEPARATORS) != std::string::npos;
    // Appending may throw; the kept answers change only once it has succeeded.
    _parsingResult += s;
    _resultHasTwoSeparators = _resultHasTwoSeparators || holdsTwoSeparators;
    _resultSeparatorCount += countSeparators(s);
}

unsigned ParserImpl::countSeparators(const std::string& text)
{
    return static_cast<unsigned>(std::count(text.begin(), text.end(), RECORD_SEPARATOR));
}

void ParserImpl::addRecord(std::int32_t kind, const std::string& modifiers, const std::string& str,
                           std::uint32_t line)
{
    try {
        if (str.empty()) {
            assertionFailed("str != \"\"", SOURCE_PATH, LINE_EMPTY_NAME);
        }
        const std::string& access = modifiers.empty() ? _defaultAccess : modifiers;
        std::string s = util::formatSigned(_classDepth) + SEPARATOR
                        + util::formatUnsigned(static_cast<std::int32_t>(line)) + SEPARATOR
                        + util::formatSigned(kind) + SEPARATOR + access + SEPARATOR + nameText(str)
                        + SEPARATOR;
        if (_resultHasTwoSeparators) {
            assertionFailed("_parsingResult.find(twoSeparators) == string::npos", SOURCE_PATH,
                            LINE_TWO_SEPARATORS);
        }
        if (countSeparators(s) % RECORD_FIELD_COUNT != 0) {
            assertionFailed("_countSeparators(s) % 5 == 0", SOURCE_PATH, LINE_RECORD_SEPARATORS);
        }
        appendToResult(s);
        if (_resultSeparatorCount % RECORD_FIELD_COUNT != 0) {
            assertionFailed("_countSeparators(_parsingResult) % 5 == 0", SOURCE_PATH,
                            LINE_RESULT_SEPARATORS);
        }
    } catch (...) {
        assertionFailed("false", SOURCE_PATH, LINE_UNEXPECTED);
    }
}

}
}
}
}
