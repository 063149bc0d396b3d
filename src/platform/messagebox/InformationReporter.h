#pragma once

#include <string>

namespace platform {

class InformationReporter {
public:
    virtual ~InformationReporter() = default;
    virtual void reportInformation(const std::string& message) = 0;
};

}
