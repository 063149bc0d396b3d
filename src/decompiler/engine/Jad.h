#pragma once

#include <string>
#include <vector>

#include "decompiler/engine/DecompilerEngineException.h"
#include "decompiler/engine/RunOptions.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// Runs the external decompiler engine ./jad/jad (relative to the current
// directory) on one class file and returns the Java text it wrote, less the
// engine's header comment. The engine's earlier output of that name is
// removed first; its standard error becomes part of a failure's message.
class Jad {
public:
    // Throws DecompilerEngineException (EngineRunCancelledException when
    // cancelled); errors loading the output file
    // (io::file::CouldNotLoadFileException) pass through unchanged.
    std::string decompile(const std::string& classFilePath, const RunOptions& options = RunOptions()) const;

    // The options that shape the text; every run that must give the same
    // text as this one (a whole archive, say) passes these.
    static std::vector<std::string> textOptions(const RunOptions& options);
};

}
}
}
}
