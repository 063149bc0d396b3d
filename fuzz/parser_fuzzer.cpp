// Arbitrary bytes as a Java text: the parser, with the classic and with the
// modern grammar, and the tree builder must not crash, hang or leak, whatever
// they are given.
//
// The scanner ends the process after a fatal error, which would end the
// fuzzing run; this target installs a handler that throws instead, and the
// parse loop releases everything on that path. Stray bytes are dropped
// rather than copied to standard output.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "decompiler/DecompilerImpl.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"

namespace {

namespace zd = products::zefra::decompiler;

struct FatalScannerError {
    const char* message;
};

[[noreturn]] void throwFatalScannerError(const char* message)
{
    throw FatalScannerError{message};
}

void dropStrayByte(char)
{
}

bool installHandlers()
{
    zd::parser::setScannerFatalErrorHandler(throwFatalScannerError);
    zd::parser::setUnmatchedByteHandler(dropStrayByte);
    return true;
}

void parseAndBuildTree(const std::string& text, zd::parser::JavaDialect dialect)
{
    std::string parsingResult;
    {
        zd::parser::ParserImpl parser(dialect);
        parsingResult = parser.parse(text);
    }
    // An empty result is a failed check in the builder, logged to a file;
    // every other result of the parser builds without one.
    if (!parsingResult.empty()) {
        std::unique_ptr<zd::ClassStructure> root = zd::DecompilerImpl().buildTree(parsingResult, text);
        if (root == nullptr) {
            __builtin_trap();
        }
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool installed = installHandlers();
    (void)installed;
    std::string text(reinterpret_cast<const char*>(data), size);
    for (zd::parser::JavaDialect dialect : {zd::parser::JavaDialect::Classic, zd::parser::JavaDialect::Modern}) {
        try {
            parseAndBuildTree(text, dialect);
        } catch (const zd::parser::ParserException&) {
        } catch (const FatalScannerError&) {
        }
    }
    return 0;
}
