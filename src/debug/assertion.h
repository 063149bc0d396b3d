#pragma once

// Records a failed internal consistency check: six-line entry on standard
// output and appended to assertion.txt in the current directory, then the
// assertion report (see platform/messagebox/MessageBoxHook.h), which lets the
// user end the program (exit code 3) or continue. Returns to the check site
// when the user continues, or at once when no GUI hook is installed.
//
// condition: the text of the condition that failed ("false" in catch-all handlers)
// sourcePath: the check site's own source path, e.g. "util/config/ConfigImpl"
// line:       the check site's line
void assertionFailed(const char* condition, const char* sourcePath, int line);
