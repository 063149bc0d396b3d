#pragma once

#include <string>

#include "util/config/ConfigException.h"

namespace util {
namespace config {

// A configuration text holds a bad line or a repeated key.
class ParseException : public ConfigException {
public:
    explicit ParseException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
