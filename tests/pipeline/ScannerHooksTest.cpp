#include <gtest/gtest.h>

#include <string>

#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"

namespace zp = products::zefra::decompiler::parser;

namespace {

struct Interrupted {
    char byte;
};

void interruptAtStrayByte(char byte)
{
    throw Interrupted{byte};
}

[[noreturn]] void throwOnFatalError(const char* message)
{
    throw std::string(message);
}

}

TEST(ScannerHooksDeathTest, FatalErrorWritesMessageAndExitsWithTwo)
{
    EXPECT_EXIT(zp::scannerFatalError("fatal flex scanner internal error--no action found"),
                ::testing::ExitedWithCode(2), "^fatal flex scanner internal error--no action found\n$");
}

TEST(ScannerHooks, InstalledFatalHandlerTakesOverAndCanBeRemoved)
{
    EXPECT_EQ(nullptr, zp::setScannerFatalErrorHandler(throwOnFatalError));
    EXPECT_THROW(zp::scannerFatalError("out of dynamic memory in yy_create_buffer()"), std::string);
    EXPECT_EQ(&throwOnFatalError, zp::setScannerFatalErrorHandler(nullptr));
}

// A handler that leaves the scanner by an exception abandons the parse in
// the middle; the next parse must start clean and nothing may leak.
TEST(ScannerHooks, ExceptionFromTheScannerAbandonsTheParseCleanly)
{
    zp::UnmatchedByteHandler previous = zp::setUnmatchedByteHandler(interruptAtStrayByte);
    std::string deep = "class A { int x = " + std::string(3000, '(') + "1 # " + std::string(3000, ')') + "; }";
    {
        zp::ParserImpl parser;
        EXPECT_THROW(parser.parse(deep), Interrupted);
    }
    EXPECT_EQ(nullptr, zp::ParserImpl::instance());
    zp::setUnmatchedByteHandler(previous);

    zp::ParserImpl parser;
    EXPECT_EQ("0;0;0;package;B;", parser.parse("class B { }"));
}
