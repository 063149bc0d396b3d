#pragma once

#include <string>

namespace outline {

struct OutlineOptions {
    enum class Mode { Tree, Records, Help, Invalid };

    Mode mode = Mode::Invalid;
    std::string path;
    bool modern = false;  // the modern grammar (and the engine's -m)
    std::string problem;  // why the arguments are invalid
};

OutlineOptions parseArguments(int argc, const char* const* argv);

// True when the path names a class file, which goes through the engine.
bool isClassFile(const std::string& path);

extern const char* const USAGE_TEXT;

}
