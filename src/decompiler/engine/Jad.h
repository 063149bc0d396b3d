#pragma once

#include <string>

#include "decompiler/engine/DecompilerEngineException.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// Runs the external decompiler engine ./jad/jad (relative to the current
// directory) on one class file and returns the Java text it wrote, less the
// engine's header comment.
class Jad {
public:
    // Throws DecompilerEngineException; errors loading the output file
    // (io::file::CouldNotLoadFileException) pass through unchanged.
    std::string decompile(const std::string& classFilePath) const;
};

}
}
}
}
