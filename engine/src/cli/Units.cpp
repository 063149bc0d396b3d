#include "cli/Units.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/Output.h"

namespace jad {

namespace fs = std::filesystem;

namespace {

// The file name up to its last dot.
std::string stemOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t dot = file.rfind('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

bool isClassFileName(const fs::path& path) { return path.extension() == ".class"; }

}  // namespace

std::vector<ClassUnit> looseUnits(const std::vector<std::string>& paths) {
    std::vector<ClassUnit> units;
    for (const std::string& path : paths) {
        ClassUnit unit;
        unit.label = path;
        unit.path = path;
        unit.stem = fs::path(path).stem().string();
        units.push_back(std::move(unit));
    }
    return units;
}

std::vector<ClassUnit> directoryUnits(const std::string& directory) {
    std::vector<std::string> paths;
    std::error_code error;
    fs::recursive_directory_iterator it(directory, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (isClassFileName(it->path()) && it->is_regular_file(error)) paths.push_back(it->path().string());
    }
    if (error) throw InputFailure{"cannot list (" + error.message() + ")"};
    std::sort(paths.begin(), paths.end());
    std::vector<ClassUnit> units = looseUnits(paths);
    for (ClassUnit& unit : units) unit.wholeTree = true;
    return units;
}

std::string entryLabel(const std::string& archiveLabel, const std::string& entryName) {
    return archiveLabel + "!/" + entryName;
}

std::vector<ClassUnit> archiveUnits(const std::string& archiveLabel, const LoadedArchive& archive) {
    std::vector<ClassUnit> units;
    units.reserve(archive.entries().size());
    for (const ArchiveEntry& entry : archive.entries()) {
        ClassUnit unit;
        unit.label = entryLabel(archiveLabel, entry.name);
        unit.entry = &entry;
        unit.stem = stemOf(entry.name);
        unit.wholeTree = true;
        units.push_back(std::move(unit));
    }
    return units;
}

bool isArchiveInput(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".jar" || extension == ".zip";
}

}  // namespace jad
