#include "debug/assertion.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/messagebox/MessageBoxHook.h"

namespace {

const char* const SEPARATOR_LINE = "----------------------------------------";
const char* const LOG_FILE_NAME = "assertion.txt";

// The 24-character asctime form, built by hand so that the process locale
// (the GUI sets the user's) cannot change the day and month names.
std::string asctimeText(const std::tm& time) {
    static const char* const DAYS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const MONTHS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3s %.3s%3d %.2d:%.2d:%.2d %d",
                  DAYS[time.tm_wday % 7], MONTHS[time.tm_mon % 12], time.tm_mday, time.tm_hour,
                  time.tm_min, time.tm_sec, 1900 + time.tm_year);
    return buffer;
}

std::string currentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return asctimeText(local);
}

std::string composeEntry(const char* condition, const char* sourcePath, int line) {
    std::string entry;
    entry += SEPARATOR_LINE;
    entry += "\nAssertion failed. Message: ";
    entry += condition ? condition : "";
    entry += "\nFile: ";
    entry += sourcePath ? sourcePath : "";
    entry += "\nLine: " + std::to_string(line);
    entry += "\nOccurred: " + currentLocalTime();
    entry += "\n";
    entry += SEPARATOR_LINE;
    entry += "\n";
    return entry;
}

void appendToLogFile(const std::string& entry) {
    std::ofstream log(LOG_FILE_NAME, std::ios_base::out | std::ios_base::app);
    if (log) {
        log << entry;
    }
}

bool debuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 10, "TracerPid:") == 0) {
            return std::atoi(line.c_str() + 10) != 0;
        }
    }
    return false;
}

// The runtime's own report: it names this routine, not the check site, which
// the entry already records.
void showAssertionReport() {
    const std::string text =
        "Assertion failed!\n\nFile: debug/assertion\nLine: 43\n\nExpression: false\n\n"
        "The failed check was recorded in assertion.txt.\n"
        "Abort ends the program, Retry breaks into an attached debugger, Ignore continues.";
    platform::MessageBoxResult result =
        platform::showMessageBox("Assertion failed!", text, platform::MessageBoxKind::AssertionReport);
    if (result == platform::MessageBoxResult::Abort) {
        std::fflush(nullptr);
        std::_Exit(3);
    }
    if (result == platform::MessageBoxResult::Retry && debuggerAttached()) {
        std::raise(SIGTRAP);
    }
}

}

void assertionFailed(const char* condition, const char* sourcePath, int line) {
    // Failures of the log itself must never disturb the check site.
    try {
        const std::string entry = composeEntry(condition, sourcePath, line);
        std::cout << entry << std::flush;
        appendToLogFile(entry);
    } catch (...) {
    }
    showAssertionReport();
}
