#pragma once

#include <string>

namespace platform {

class SuccessReporter {
public:
    virtual ~SuccessReporter() = default;
    virtual void reportSuccess(const std::string& message) = 0;
};

}
