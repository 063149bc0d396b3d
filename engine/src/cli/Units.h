// What one call decompiles: its inputs as class files, each one unit of
// work, whether it lies on disk or in an archive.
#pragma once

#include <string>
#include <vector>

#include "cli/ArchiveSiblings.h"

namespace jad {

struct ClassUnit {
    std::string label;  // names it in messages: the path, or "<archive>!/<entry>"
    std::string path;   // on disk; empty for an archive entry
    const ArchiveEntry* entry = nullptr;
    std::string stem;   // the output file's name before its extension
    // Archives and directory trees: a nested class is printed inside its
    // outer class instead of on its own, and packages become directories.
    bool wholeTree = false;
};

std::vector<ClassUnit> looseUnits(const std::vector<std::string>& paths);

// Every class file below `directory`, in name order; InputFailure when it
// cannot be listed.
std::vector<ClassUnit> directoryUnits(const std::string& directory);

std::vector<ClassUnit> archiveUnits(const std::string& archiveLabel, const LoadedArchive& archive);

// The label of an entry of an archive.
std::string entryLabel(const std::string& archiveLabel, const std::string& entryName);

// Inputs read as archives, by their names.
bool isArchiveInput(const std::string& path);

}  // namespace jad
