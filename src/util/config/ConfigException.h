#pragma once

#include "exceptions/Exception.h"

namespace util {
namespace config {

// Every configuration failure except unreadable numbers and booleans.
// Holds no data; it exists so that callers can catch the whole family.
class ConfigException : public exceptions::Exception {
public:
    ~ConfigException() override = default;
};

}
}
