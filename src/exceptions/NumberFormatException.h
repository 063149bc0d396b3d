#pragma once

#include "exceptions/MessageException.h"
#include "exceptions/Exception.h"

namespace exceptions {

// Text that cannot be read as a number or a boolean.
class NumberFormatException : public exceptions::MessageException<Exception> {
public:
    using MessageException::MessageException;
};

}
