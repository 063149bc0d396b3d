#pragma once

#include "exceptions/Exception.h"
#include "exceptions/MessageException.h"

namespace util {

// Narrow text could not be converted to wide text.
class StringHelperException : public exceptions::MessageException<exceptions::Exception> {
public:
    using MessageException::MessageException;
};

}
