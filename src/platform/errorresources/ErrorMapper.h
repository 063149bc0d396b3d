#pragma once

#include <string>
#include <utility>

namespace platform {

// An optional fallback table of error texts for SystemErrors::map.
class ErrorMapper {
public:
    virtual ~ErrorMapper() = default;
    // (found, text) for an error code.
    virtual std::pair<bool, std::string> lookup(int errorCode) const = 0;
};

}
