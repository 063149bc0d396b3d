#pragma once

#include "exceptions/Exception.h"
#include "exceptions/MessageException.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// The decompiler engine could not be run or its output could not be found.
class DecompilerEngineException : public exceptions::MessageException<exceptions::Exception> {
public:
    using MessageException::MessageException;
};

}
}
}
}
