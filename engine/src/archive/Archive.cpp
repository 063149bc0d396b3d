#include "archive/Archive.h"

#include <algorithm>
#include <memory>
#include <set>

#include "archive/EntryNames.h"
#include "archive/ZipLibrary.h"

namespace jad {

namespace {

constexpr uint64_t MiB = uint64_t{1} << 20;

const ZipLibrary& library() {
    const char* whyNot = "";
    const ZipLibrary* zip = zipLibrary(&whyNot);
    if (!zip) throw ArchiveError{whyNot};
    return *zip;
}

std::string openErrorText(const ZipLibrary& zip, int code) {
    zip_error_t error;
    zip.initError(&error, code);
    std::string text = zip.errorText(&error);
    zip.finiError(&error);
    return text;
}

struct ArchiveCloser {
    const ZipLibrary* zip;
    void operator()(zip_t* archive) const { zip->discard(archive); }
};
using OpenArchive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    const ZipLibrary* zip;
    void operator()(zip_file_t* file) const { zip->closeEntry(file); }
};
using OpenEntry = std::unique_ptr<zip_file_t, EntryCloser>;

std::string megabytes(uint64_t bytes) { return std::to_string(bytes / MiB) + " MB"; }

// A class entry that passed the checks of its directory record.
struct Planned {
    zip_uint64_t index;
    std::string name;
    uint64_t size;
};

class ArchiveReader {
public:
    ArchiveReader(const ZipLibrary& zip, zip_t* archive, const ArchiveLimits& limits)
        : _zip(zip), _archive(archive), _limits(limits) {}

    ArchiveClasses read() {
        const zip_int64_t count = _zip.entryCount(_archive, 0);
        if (count < 0) throw ArchiveError{"cannot list the entries"};
        uint64_t total = 0;
        for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
            if (auto planned = plan(i)) {
                total += planned->size;
                _planned.push_back(std::move(*planned));
            }
        }
        if (total > _limits.maxTotalBytes) {
            throw ArchiveError{"class entries would expand to " + megabytes(total) + ", over the limit of " +
                               megabytes(_limits.maxTotalBytes)};
        }
        for (const Planned& entry : _planned) load(entry);
        std::sort(_result.entries.begin(), _result.entries.end(),
                  [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.name < b.name; });
        return std::move(_result);
    }

private:
    std::optional<Planned> plan(zip_uint64_t index) {
        zip_stat_t stat;
        if (_zip.statIndex(_archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) || !stat.name) {
            problem("entry " + std::to_string(index), "unreadable directory record");
            return std::nullopt;
        }
        const std::string name = stat.name;
        if (!name.empty() && name.back() == '/') return std::nullopt;  // a directory
        if (isArchiveName(name)) return problem(name, "an archive within the archive, not opened");
        if (!isClassEntry(name)) return std::nullopt;
        if (auto unsafe = unsafeEntryName(name)) return problem(name, *unsafe + ", skipped");
        if (!_names.insert(name).second) return problem(name, "duplicate entry, the first one is used");
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            return problem(name, "encrypted, skipped");
        }
        if (!(stat.valid & ZIP_STAT_SIZE)) return problem(name, "no size recorded, skipped");
        if (stat.size > _limits.maxEntryBytes) {
            return problem(name, "declares " + megabytes(stat.size) + ", over the limit of " +
                                     megabytes(_limits.maxEntryBytes) + " for one entry");
        }
        if ((stat.valid & ZIP_STAT_COMP_SIZE) && stat.size >= _limits.ratioFrom &&
            stat.size / std::max<uint64_t>(stat.comp_size, 1) > _limits.maxRatio) {
            return problem(name, "compressed " + std::to_string(stat.size / std::max<uint64_t>(stat.comp_size, 1)) +
                                     " to 1, more than any class file: refused as a zip bomb");
        }
        return Planned{index, name, stat.size};
    }

    // Reads exactly the declared size: an entry that inflates to more (or
    // less) is refused, so no entry can make jad hold more than it declared.
    void load(const Planned& planned) {
        OpenEntry file(_zip.openEntry(_archive, planned.index, 0), EntryCloser{&_zip});
        if (!file) {
            problem(planned.name, std::string("cannot open (") + _zip.archiveError(_archive) + ")");
            return;
        }
        ArchiveEntry entry{planned.name, std::vector<uint8_t>(static_cast<size_t>(planned.size))};
        uint64_t done = 0;
        while (done < planned.size) {
            const zip_int64_t got = _zip.readEntry(file.get(), entry.bytes.data() + done, planned.size - done);
            if (got < 0) {
                problem(planned.name, std::string("cannot read (") + _zip.entryError(file.get()) + ")");
                return;
            }
            if (got == 0) {
                problem(planned.name, "shorter than its declared " + std::to_string(planned.size) + " bytes");
                return;
            }
            done += static_cast<uint64_t>(got);
        }
        // The end of the data, where libzip checks the checksum.
        uint8_t extra;
        const zip_int64_t past = _zip.readEntry(file.get(), &extra, 1);
        if (past < 0) {
            problem(planned.name, std::string("cannot read (") + _zip.entryError(file.get()) + ")");
            return;
        }
        if (past > 0) {
            problem(planned.name, "longer than its declared " + std::to_string(planned.size) + " bytes");
            return;
        }
        _result.entries.push_back(std::move(entry));
    }

    std::nullopt_t problem(const std::string& entry, const std::string& reason) {
        _result.problems.push_back({entry, reason});
        return std::nullopt;
    }

    const ZipLibrary& _zip;
    zip_t* _archive;
    const ArchiveLimits& _limits;
    std::set<std::string> _names;
    std::vector<Planned> _planned;
    ArchiveClasses _result;
};

}  // namespace

ArchiveClasses readArchiveFile(const std::string& path, const ArchiveLimits& limits) {
    const ZipLibrary& zip = library();
    int code = 0;
    OpenArchive archive(zip.open(path.c_str(), ZIP_RDONLY, &code), ArchiveCloser{&zip});
    if (!archive) throw ArchiveError{"cannot read as an archive (" + openErrorText(zip, code) + ")"};
    return ArchiveReader(zip, archive.get(), limits).read();
}

ArchiveClasses readArchiveBytes(const uint8_t* data, size_t size, const ArchiveLimits& limits) {
    const ZipLibrary& zip = library();
    zip_error_t error;
    zip.initError(&error, ZIP_ER_OK);
    zip_source_t* source = zip.bufferSource(data, size, 0, &error);
    if (!source) {
        zip.finiError(&error);
        throw ArchiveError{"out of memory"};
    }
    OpenArchive archive(zip.openFromSource(source, ZIP_RDONLY, &error), ArchiveCloser{&zip});
    if (!archive) {
        std::string reason = zip.errorText(&error);
        zip.finiError(&error);
        zip.freeSource(source);
        throw ArchiveError{"cannot read as an archive (" + reason + ")"};
    }
    zip.finiError(&error);
    return ArchiveReader(zip, archive.get(), limits).read();
}

}  // namespace jad
