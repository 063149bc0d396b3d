// Where each compilation unit is written, and the writing.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "cli/Options.h"

namespace jad {

// A failure of one input, reported as "<file>: <reason>".
struct InputFailure {
    std::string reason;
};

// `<outdir>[/<package>]/<stem>.<ext>`; InputFailure when the package or stem
// would name a place outside the output directory.
std::filesystem::path outputPath(const std::string& stem, const std::string& thisClass, bool packageDirectories,
                                 const Options& options);

// Writes the outputs of one run. Directories are made (or found) once: a
// package holds many classes, and asking the file system again for every
// one of them cost more than writing the file. A path written once in the
// run is not written again, so that no input silently replaces another's
// output.
class OutputWriter {
public:
    explicit OutputWriter(bool overwrite) : _overwrite(overwrite) {}
    // InputFailure when the file is not written.
    void write(const std::filesystem::path& path, const std::string& text, const std::string& label);

private:
    void ensureDirectory(const std::filesystem::path& directory);

    bool _overwrite;
    std::set<std::string> _madeDirectories;
    std::map<std::string, std::string> _written;  // path -> the input written there
};

}  // namespace jad
