#include "cli/Output.h"

#include <algorithm>
#include <fstream>

namespace jad {

namespace fs = std::filesystem;

namespace {

bool plainSegment(const std::string& segment) {
    return !segment.empty() && segment != "." && segment != ".." && segment.find('\0') == std::string::npos &&
           segment.find('\\') == std::string::npos;
}

// The package as directories; a name that would climb out of the output
// directory is refused.
fs::path packagePath(const std::string& package) {
    fs::path path;
    size_t start = 0;
    while (start <= package.size()) {
        size_t end = std::min(package.find('/', start), package.size());
        std::string segment = package.substr(start, end - start);
        if (!plainSegment(segment)) throw InputFailure{"package " + package + " cannot be restored as directories"};
        path /= segment;
        start = end + 1;
    }
    return path;
}

}  // namespace

fs::path outputPath(const std::string& stem, const std::string& thisClass, bool packageDirectories,
                    const Options& options) {
    fs::path directory = options.outputDirectory.empty() ? fs::path(".") : fs::path(options.outputDirectory);
    if (packageDirectories) {
        size_t slash = thisClass.rfind('/');
        if (slash != std::string::npos) directory /= packagePath(thisClass.substr(0, slash));
    }
    if (!plainSegment(stem) || stem.find('/') != std::string::npos) {
        throw InputFailure{"no output file name can be made from " + stem};
    }
    return directory / (stem + "." + options.extension);
}

void OutputWriter::ensureDirectory(const fs::path& directory) {
    if (directory.empty() || _madeDirectories.count(directory.native())) return;
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) throw InputFailure{"cannot create directory " + directory.string() + " (" + error.message() + ")"};
    _madeDirectories.insert(directory.native());
}

void OutputWriter::write(const fs::path& path, const std::string& text, const std::string& label) {
    std::error_code error;
    ensureDirectory(path.parent_path());
    if (!_overwrite && fs::exists(path, error)) {
        throw InputFailure{"output " + path.string() + " exists, not overwritten (use -o)"};
    }
    auto earlier = _written.find(path.native());
    if (earlier != _written.end()) {
        throw InputFailure{"output " + path.string() + " already written for " + earlier->second};
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw InputFailure{"cannot write " + path.string()};
    _written.emplace(path.native(), label);
}

}  // namespace jad
