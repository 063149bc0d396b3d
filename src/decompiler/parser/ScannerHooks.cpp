#include "decompiler/parser/ScannerHooks.h"

#include <cstdio>
#include <cstdlib>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

const int FATAL_SCANNER_EXIT_CODE = 2;

[[noreturn]] void exitAfterFatalError(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::fflush(stderr);
    std::exit(FATAL_SCANNER_EXIT_CODE);
}

void copyToStandardOutput(char byte)
{
    std::putchar(static_cast<unsigned char>(byte));
}

ScannerFatalErrorHandler fatalErrorHandler = nullptr;
UnmatchedByteHandler unmatchedByteHandler = nullptr;

}

ScannerFatalErrorHandler setScannerFatalErrorHandler(ScannerFatalErrorHandler handler)
{
    ScannerFatalErrorHandler previous = fatalErrorHandler;
    fatalErrorHandler = handler;
    return previous;
}

UnmatchedByteHandler setUnmatchedByteHandler(UnmatchedByteHandler handler)
{
    UnmatchedByteHandler previous = unmatchedByteHandler;
    unmatchedByteHandler = handler;
    return previous;
}

void scannerFatalError(const char* message)
{
    if (fatalErrorHandler != nullptr) {
        fatalErrorHandler(message);
    }
    exitAfterFatalError(message);
}

void scannerUnmatchedByte(char byte)
{
    if (unmatchedByteHandler != nullptr) {
        unmatchedByteHandler(byte);
        return;
    }
    copyToStandardOutput(byte);
}

}
}
}
}
