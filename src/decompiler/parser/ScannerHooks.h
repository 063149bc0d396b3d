#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Where the scanner sends what it does not turn into tokens. The defaults
// write stray bytes to standard output and end the process with exit code 2
// after a fatal error; tools and fuzzers that must keep their standard output
// clean, or must survive, install their own.

// Must not return: the scanner's state is unusable after a fatal error. A
// handler may throw; the parse loop releases everything it holds. If a
// handler returns anyway, the process ends as with the default.
using ScannerFatalErrorHandler = void (*)(const char* message);

// Receives each byte that no lexical rule accepts. It may throw, which
// abandons the parse as a fatal-error handler's exception does.
using UnmatchedByteHandler = void (*)(char byte);

// Each returns the handler it replaces; null restores the default.
ScannerFatalErrorHandler setScannerFatalErrorHandler(ScannerFatalErrorHandler handler);
UnmatchedByteHandler setUnmatchedByteHandler(UnmatchedByteHandler handler);

// Called by the scanner.
[[noreturn]] void scannerFatalError(const char* message);
void scannerUnmatchedByte(char byte);

}
}
}
}
