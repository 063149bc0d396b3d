#pragma once

#include "exceptions/MessageException.h"
#include "util/config/ConfigException.h"

namespace util {
namespace config {

// A configuration text holds a bad line or a repeated key.
class ParseException : public exceptions::MessageException<ConfigException> {
public:
    using MessageException::MessageException;
};

}
}
