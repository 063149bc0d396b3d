#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "decompiler/Decompiler.h"
#include "decompiler/parser/JavaDialect.h"

namespace products {
namespace zefra {
namespace decompiler {

class DecompilerImpl : public Decompiler {
public:
    // The modern dialect runs the engine with -m and reads its text with the
    // modern grammar.
    explicit DecompilerImpl(parser::JavaDialect dialect = parser::JavaDialect::Classic);
    ~DecompilerImpl() override = default;

    using Decompiler::decompile;
    std::unique_ptr<ClassStructure> decompile(const std::string& classFilePath,
                                              const engine::RunOptions& options) override;
    std::unique_ptr<ClassStructure> createClassStructure(const char* text, std::size_t length) override;
    void setDialect(parser::JavaDialect dialect) override;

    // The tree of a parsing result. The root is the first top-level class of
    // the public group, else of the protected, else of the private group;
    // other top-level declarations are dropped. Null, with a failed check
    // recorded, when there is no top-level class. Never throws.
    std::unique_ptr<ClassStructure> buildTree(const std::string& parsingResult, const std::string& text) const;

private:
    // Set from the GUI thread while a run may be going on another.
    std::atomic<parser::JavaDialect> _dialect;
    // The words looked for in a record's access field.
    const std::string _public;
    const std::string _protected;
};

}
}
}
