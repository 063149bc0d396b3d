#pragma once

#include <string>

#include "platform/messagebox/ErrorReporter.h"
#include "platform/messagebox/InformationReporter.h"
#include "platform/messagebox/SuccessReporter.h"

namespace platform {

// Shows messages in boxes captioned with the title and " Error", " Success"
// or " Information", through the hook of MessageBoxHook.h. Each call returns
// when the user closes the box.
class MessageBoxReporter : public ErrorReporter, public SuccessReporter, public InformationReporter {
public:
    explicit MessageBoxReporter(const std::string& title) : _title(title) {}

    void reportError(const std::string& message) override;
    void reportSuccess(const std::string& message) override;
    void reportInformation(const std::string& message) override;

private:
    std::string _title;
};

}
