#pragma once

#include "exceptions/MessageException.h"
#include "exceptions/Exception.h"

namespace util {

// Narrow text could not be converted to wide text.
class StringHelperException : public exceptions::MessageException<exceptions::Exception> {
public:
    using MessageException::MessageException;
};

}
