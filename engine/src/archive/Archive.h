// The class files of a jar or zip archive, read into memory with libzip.
//
// Everything about an archive is untrusted: declared sizes are checked
// before anything is inflated, no entry is read past what it declares, and
// each entry that cannot be used becomes a problem of its own while the
// others are still read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jad {

// The archive as a whole cannot be read.
struct ArchiveError {
    std::string reason;
};

struct ArchiveEntry {
    std::string name;  // as in the archive, checked by unsafeEntryName
    std::vector<uint8_t> bytes;
};

// An entry left out, and why.
struct EntryProblem {
    std::string entry;
    std::string reason;
};

struct ArchiveLimits {
    // No class file is this large.
    uint64_t maxEntryBytes = uint64_t{64} << 20;
    // All the class entries together, inflated.
    uint64_t maxTotalBytes = uint64_t{1} << 30;
    // Class files compress about five to one; an entry this much larger than
    // its compressed data (and larger than a few class files) is a bomb.
    uint64_t maxRatio = 200;
    uint64_t ratioFrom = uint64_t{1} << 20;
};

struct ArchiveClasses {
    std::vector<ArchiveEntry> entries;  // sorted by name, unique
    std::vector<EntryProblem> problems; // in archive order
};

// Throw ArchiveError when the archive cannot be opened or would expand past
// the limit.
ArchiveClasses readArchiveFile(const std::string& path, const ArchiveLimits& limits = {});
ArchiveClasses readArchiveBytes(const uint8_t* data, size_t size, const ArchiveLimits& limits = {});

}  // namespace jad
