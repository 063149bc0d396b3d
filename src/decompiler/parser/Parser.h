#pragma once

#include <string>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Turns a Java text into the parsing result: flat records of five fields,
// each field followed by RECORD_SEPARATOR (see ParsingResult.h).
class Parser {
public:
    virtual ~Parser() = default;

    // Throws ParserException when the text does not parse.
    virtual std::string parse(const std::string& text) = 0;
};

}
}
}
}
