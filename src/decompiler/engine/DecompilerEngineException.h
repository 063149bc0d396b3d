#pragma once

#include <string>

#include "exceptions/Exception.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// The decompiler engine could not be run or its output could not be found.
class DecompilerEngineException : public exceptions::Exception {
public:
    explicit DecompilerEngineException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
}
}
