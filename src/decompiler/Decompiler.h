#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "decompiler/ClassStructure.h"
#include "decompiler/engine/RunOptions.h"
#include "decompiler/parser/JavaDialect.h"

namespace products {
namespace zefra {
namespace decompiler {

// Turns a class file into its Java text and class-structure tree.
class Decompiler {
public:
    virtual ~Decompiler() = default;

    // Runs the engine on the class file, then createClassStructure on its
    // text. Throws engine::DecompilerEngineException, the loader's
    // io::file::CouldNotLoadFileException and parser::ParserException.
    // May run on any one thread at a time.
    virtual std::unique_ptr<ClassStructure> decompile(const std::string& classFilePath,
                                                      const engine::RunOptions& options) = 0;
    std::unique_ptr<ClassStructure> decompile(const std::string& classFilePath) {
        return decompile(classFilePath, engine::RunOptions());
    }

    // Parses the Java text and builds its tree; the root carries the text
    // (getText). Null when the text declares no class. Throws
    // parser::ParserException, which carries the text.
    virtual std::unique_ptr<ClassStructure> createClassStructure(const char* text, std::size_t length) = 0;

    // The dialect of the next runs: a modern one runs the engine with -m and
    // reads its text with the modern grammar. A decompiler that knows only
    // one dialect ignores it.
    virtual void setDialect(parser::JavaDialect /*dialect*/) {}
};

}
}
}
