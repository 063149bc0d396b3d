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

void DecompilerImpl::setDialect(parser::JavaDialect dialect)
{
    _dialect.store(dialect);
}

std::unique_ptr<ClassStructure> DecompilerImpl::decompile(const std::string& classFilePath,
                                                          const engine::RunOptions& options)
{
    engine::RunOptions run = options;
    run.modern = run.modern || _dialect.load() == parser::JavaDialect::Modern;
    engine::Jad jad;
    std::string text = jad.decompile(classFilePath, run);
    return createClassStructure(text.data(), text.size());
}

std::unique_ptr<ClassStructure> DecompilerImpl::createClassStructure(const char* text, std::size_t length)
{
    std::string javaText = text != nullptr ? std::string(text, length) : std::string();
    // The parser is the active one while it exists, and is gone on every way out.
    parser::ParserImpl parser(_dialect.load());
    std::string parsingResult = parser.parse(javaText);
    return buildTree(parsingResult, javaText);
}

}
}
}
