#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "decompiler/Decompiler.h"

namespace products {
namespace zefra {
namespace decompiler {

class DecompilerImpl : public Decompiler {
public:
    DecompilerImpl();
    ~DecompilerImpl() override = default;

    using Decompiler::decompile;
    std::unique_ptr<ClassStructure> decompile(const std::string& classFilePath,
                                              const engine::RunOptions& options) override;
    std::unique_ptr<ClassStructure> createClassStructure(const char* text, std::size_t length) override;

    // The tree of a parsing result. The root is the first top-level class of
    // the public group, else of the protected, else of the private group;
    // other top-level declarations are dropped. Null, with a failed check
    // recorded, when there is no top-level class. Never throws.
    std::unique_ptr<ClassStructure> buildTree(const std::string& parsingResult, const std::string& text) const;

private:
    // The words looked for in a record's access field.
    const std::string _public;
    const std::string _protected;
};

}
}
}
