#include "platform/messagebox/MessageBoxReporter.h"

#include "platform/messagebox/MessageBoxHook.h"

namespace platform {

void MessageBoxReporter::reportError(const std::string& message) {
    showMessageBox(_title + " Error", message, MessageBoxKind::Error);
}

void MessageBoxReporter::reportSuccess(const std::string& message) {
    showMessageBox(_title + " Success", message, MessageBoxKind::Success);
}

void MessageBoxReporter::reportInformation(const std::string& message) {
    showMessageBox(_title + " Information", message, MessageBoxKind::Information);
}

}
