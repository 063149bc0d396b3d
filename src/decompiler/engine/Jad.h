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
    // A modern run adds -m: the engine writes Java at the class file's level.
    explicit Jad(bool modern = false) : _modern(modern) {}


    // Throws DecompilerEngineException; errors loading the output file
    // (io::file::CouldNotLoadFileException) pass through unchanged.
    std::string decompile(const std::string& classFilePath) const;

private:
    bool _modern;
};

}
}
}
}
