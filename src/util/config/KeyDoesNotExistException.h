#pragma once

#include <string>

#include "util/config/ConfigException.h"

namespace util {
namespace config {

// A configuration key, or its commented form, is not present.
class KeyDoesNotExistException : public ConfigException {
public:
    explicit KeyDoesNotExistException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
}
