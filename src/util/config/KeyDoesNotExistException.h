#pragma once

#include "exceptions/MessageException.h"
#include "util/config/ConfigException.h"

namespace util {
namespace config {

// A configuration key, or its commented form, is not present.
class KeyDoesNotExistException : public exceptions::MessageException<ConfigException> {
public:
    using MessageException::MessageException;
};

}
}
