#include "decompiler/DecompilerImpl.h"

#include "decompiler/engine/Jad.h"
#include "decompiler/parser/ParserImpl.h"

namespace products {
namespace zefra {
namespace decompiler {

DecompilerImpl::DecompilerImpl(parser::JavaDialect dialect)
    : _dialect(dialect), _public("public"), _protected("protected")
{
}

std::unique_ptr<ClassStructure> DecompilerImpl::decompile(const std::string& classFilePath)
{
    engine::Jad jad(_dialect == parser::JavaDialect::Modern);
    std::string text = jad.decompile(classFilePath);
    return createClassStructure(text.data(), text.size());
}

std::unique_ptr<ClassStructure> DecompilerImpl::createClassStructure(const char* text, std::size_t length)
{
    std::string javaText = text != nullptr ? std::string(text, length) : std::string();
    // The parser is the active one while it exists, and is gone on every way out.
    parser::ParserImpl parser(_dialect);
    std::string parsingResult = parser.parse(javaText);
    return buildTree(parsingResult, javaText);
}

}
}
}
