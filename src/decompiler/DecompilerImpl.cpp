#include "decompiler/DecompilerImpl.h"

#include "decompiler/engine/Jad.h"
#include "decompiler/parser/ParserImpl.h"

namespace products {
namespace zefra {
namespace decompiler {

namespace {

// The dialect of the run in progress on this thread: the text that the
// engine wrote with or without -m is read with the matching grammar, even
// when the dialect is changed while the engine runs.
thread_local const parser::JavaDialect* runDialect = nullptr;

class RunDialectScope {
public:
    explicit RunDialectScope(const parser::JavaDialect& dialect) : _previous(runDialect) { runDialect = &dialect; }
    ~RunDialectScope() { runDialect = _previous; }
    RunDialectScope(const RunDialectScope&) = delete;
    RunDialectScope& operator=(const RunDialectScope&) = delete;

private:
    const parser::JavaDialect* _previous;
};

}

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
    const parser::JavaDialect dialect =
        options.modern ? parser::JavaDialect::Modern : _dialect.load();
    RunDialectScope scope(dialect);
    engine::RunOptions run = options;
    run.modern = dialect == parser::JavaDialect::Modern;
    engine::Jad jad;
    std::string text = jad.decompile(classFilePath, run);
    return createClassStructure(text.data(), text.size());
}

std::unique_ptr<ClassStructure> DecompilerImpl::createClassStructure(const char* text, std::size_t length)
{
    std::string javaText = text != nullptr ? std::string(text, length) : std::string();
    // The parser is the active one while it exists, and is gone on every way out.
    parser::ParserImpl parser(runDialect != nullptr ? *runDialect : _dialect.load());
    std::string parsingResult = parser.parse(javaText);
    return buildTree(parsingResult, javaText);
}

}
}
}
