// The class files of an archive in memory, as the siblings of its entries.
#pragma once

#include <string>
#include <unordered_map>

#include "archive/Archive.h"
#include "cli/Files.h"

namespace jad {

// An archive's class entries, found by name. Read-only once made, so that
// every worker thread looks into the same one.
class LoadedArchive {
public:
    explicit LoadedArchive(ArchiveClasses classes);
    const std::vector<ArchiveEntry>& entries() const { return _classes.entries; }
    const std::vector<EntryProblem>& problems() const { return _classes.problems; }
    const ArchiveEntry* find(const std::string& name) const;

private:
    ArchiveClasses _classes;
    std::unordered_map<std::string, const ArchiveEntry*> _byName;
};

// The entry's folder in the archive is its package, as a directory is for
// class files on disk.
class ArchiveSiblings : public SiblingFiles {
public:
    ArchiveSiblings(const LoadedArchive& archive, const std::string& entryName, SiblingCache& cache);
    std::optional<std::vector<uint8_t>> read(const std::string& internalName) const override;
    bool hasClass(const std::string& simpleName) const override;
    std::shared_ptr<const ClassFile> parsed(const std::string& internalName) const override;
    std::optional<std::vector<uint8_t>> readFromRoot(const std::string& package,
                                                     const std::string& internalName) const override;
    std::shared_ptr<const ClassFile> platformClass(const std::string& internalName) const override {
        return _cache.platformClass(internalName);
    }

private:
    std::string entryFor(const std::string& internalName) const;

    const LoadedArchive& _archive;
    std::string _folder;  // with its trailing slash, or empty at the root
    SiblingCache& _cache;
};

}  // namespace jad
