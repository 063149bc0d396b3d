#include "decompiler/DecompilerImpl.h"

#include "decompiler/engine/Jad.h"
#include "decompiler/parser/ParserImpl.h"

namespace products {
namespace zefra {
namespace decompiler {

DecompilerImpl::DecompilerImpl() : _public("public"), _protected("protected")
{
}

std::unique_ptr<ClassStructure> DecompilerImpl::decompile(const std::string& classFilePath,
                                                          const engine::RunOptions& options)
{
    engine::Jad jad;
    std::string text = jad.decompile(classFilePath, options);
    return createClassStructure(text.data(), text.size());
}

std::unique_ptr<ClassStructure> DecompilerImpl::createClassStructure(const char* text, std::size_t length)
{
    std::string javaText = text != nullptr ? std::string(text, length) : std::string();
    // The parser is the active one while it exists, and is gone on every way out.
    parser::ParserImpl parser;
    std::string parsingResult = parser.parse(javaText);
    return buildTree(parsingResult, javaText);
}

}
}
}
