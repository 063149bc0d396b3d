#pragma once

#include <string>

#include "exceptions/Exception.h"

namespace products {
namespace zefra {
namespace decompiler {

// A decompilation failure outside the engine and the parser. Callers handle
// it like the engine's error; no step of the pipeline raises it today.
class DecompilerException : public exceptions::Exception {
public:
    explicit DecompilerException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
}
