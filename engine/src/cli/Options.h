// The command line of jad.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "print/PrintOptions.h"

namespace jad {

struct Options {
    enum class Action { Decompile, Help, Version };
    Action action = Action::Decompile;
    bool overwrite = false;        // -o
    std::string outputDirectory;   // -d<dir>; empty: the current directory
    std::string extension = "java";  // -s<ext>
    bool toStandardOutput = false;   // -p
    bool restorePackages = false;    // -r
    size_t threads = 0;              // -j<n>; 0: the number of cores
    PrintOptions print;              // -ff, -b, -l<n>
    std::vector<std::string> files;
};

struct UsageError {
    std::string message;
};

// Options come first; the first argument that is not one starts the files.
Options parseOptions(const std::vector<std::string>& arguments);

extern const char* const UsageText;

}  // namespace jad
