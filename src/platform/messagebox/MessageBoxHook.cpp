#include "platform/messagebox/MessageBoxHook.h"

#include <iostream>
#include <utility>

namespace platform {

namespace {

MessageBoxHook& installedHook() {
    static MessageBoxHook hook;
    return hook;
}

MessageBoxResult defaultResult(MessageBoxKind kind) {
    return kind == MessageBoxKind::AssertionReport ? MessageBoxResult::Ignore : MessageBoxResult::Ok;
}

void writeToStandardError(const std::string& caption, const std::string& text) {
    try {
        std::cerr << caption << "\n" << text << "\n" << std::flush;
    } catch (...) {
    }
}

}

MessageBoxHook setMessageBoxHook(MessageBoxHook hook) {
    std::swap(installedHook(), hook);
    return hook;
}

MessageBoxResult showMessageBox(const std::string& caption, const std::string& text,
                                MessageBoxKind kind) {
    const MessageBoxHook& hook = installedHook();
    if (hook) {
        try {
            return hook(caption, text, kind);
        } catch (...) {
            // A broken hook must not turn a report into a second failure.
        }
    }
    writeToStandardError(caption, text);
    return defaultResult(kind);
}

}
