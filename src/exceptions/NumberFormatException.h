#pragma once

#include "exceptions/Exception.h"
#include "exceptions/MessageException.h"

namespace exceptions {

// Text that cannot be read as a number or a boolean.
class NumberFormatException : public MessageException<Exception> {
public:
    using MessageException::MessageException;
};

}
