#pragma once

#include <functional>
#include <string>

namespace platform {

// How message boxes reach the screen. The foundation layer knows no window
// system; the GUI installs a hook at start-up and every box (error, success and
// information reports, the assertion report) goes through it.
//
// Without a hook the caption and text are written to standard error and the
// call returns at once with the box's default result (Ok; Ignore for the
// assertion report), so tests and headless runs never block.

enum class MessageBoxKind {
    Error,            // error icon, OK button
    Success,          // information icon, OK button
    Information,      // information icon, OK button
    AssertionReport,  // warning icon, Abort / Retry / Ignore buttons
};

enum class MessageBoxResult {
    Ok,
    Abort,   // assertion report: end the program at once with exit code 3
    Retry,   // assertion report: break into an attached debugger, then continue
    Ignore,  // assertion report: continue at the check site
};

// Shows a modal box and returns the button the user pressed. Called on the GUI
// thread only; must not throw.
using MessageBoxHook = std::function<MessageBoxResult(
    const std::string& caption, const std::string& text, MessageBoxKind kind)>;

// Installs hook (an empty function removes it) and returns the previous one.
MessageBoxHook setMessageBoxHook(MessageBoxHook hook);

// Shows a box through the installed hook, or on standard error without one.
MessageBoxResult showMessageBox(const std::string& caption, const std::string& text,
                                MessageBoxKind kind);

}
