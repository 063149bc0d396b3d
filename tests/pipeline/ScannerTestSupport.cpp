#include "ScannerTestSupport.h"

#include "decompiler/parser/JavaScanner.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"

namespace scannertest {

namespace {

namespace zp = products::zefra::decompiler::parser;

std::string* collectedStrayBytes = nullptr;

void collectStrayByte(char byte)
{
    if (collectedStrayBytes != nullptr) {
        *collectedStrayBytes += byte;
    }
}

// Installs the collector for one scan and puts the previous handler back.
class StrayByteCollector {
public:
    explicit StrayByteCollector(std::string& target)
        : _previous(zp::setUnmatchedByteHandler(collectStrayByte))
    {
        collectedStrayBytes = &target;
    }
    ~StrayByteCollector()
    {
        collectedStrayBytes = nullptr;
        zp::setUnmatchedByteHandler(_previous);
    }

private:
    zp::UnmatchedByteHandler _previous;
};

}

ScanResult scan(const std::string& text)
{
    ScanResult result;
    StrayByteCollector collector(result.strayBytes);
    zp::ParserImpl parser;
    parser.load(text);
    zp::resetScanner();
    for (int code = zp::scanNextToken(); code != zp::TOKEN_END_OF_INPUT; code = zp::scanNextToken()) {
        result.tokens.push_back(
            Token{code, std::string(zp::currentTokenText(), zp::currentTokenLength()), zp::currentTokenLine()});
    }
    zp::resetScanner();
    return result;
}

std::vector<int> codesOf(const std::vector<Token>& tokens)
{
    std::vector<int> codes;
    for (const Token& token : tokens) {
        codes.push_back(token.code);
    }
    return codes;
}

}
