#pragma once

#include <cstdint>
#include <string>

#include "exceptions/Exception.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// A Java text that does not parse. Carries the text so that the caller can
// still show it while the class-structure tree is unavailable.
class ParserException : public exceptions::Exception {
public:
    ParserException(const std::string& text, std::int32_t line, const std::string& message)
        : _text(text), _line(line), _message(message) {}

    const std::string& getMessage() const override { return _message; }
    const std::string& getText() const { return _text; }
    // 0-based line counter value when the offending token was read.
    std::int32_t getLine() const { return _line; }

private:
    std::string _text;
    std::int32_t _line;
    std::string _message;
};

}
}
}
}
