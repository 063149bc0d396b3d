#include "archive/ClassArchive.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <zip.h>

#include "archive/ArchiveException.h"
#include "archive/EntryName.h"

namespace archive {

struct ClassArchive::Handle {
    zip_t* zip = nullptr;
    ~Handle() {
        if (zip) zip_discard(zip);
    }
};

struct ClassArchive::ClassEntry {
    std::string name;
    ClassEntryName parts;
};

namespace {

std::string dotted(std::string packagePath) {
    std::replace(packagePath.begin(), packagePath.end(), '/', '.');
    return packagePath;
}

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// The shortest '$'-prefix of the name that is itself a class of the package,
// or empty when the class is top-level.
std::string outermostOf(const std::string& simpleName, const std::set<std::string>& package) {
    for (std::size_t dollar = simpleName.find('$', 1); dollar != std::string::npos;
         dollar = simpleName.find('$', dollar + 1)) {
        const std::string prefix = simpleName.substr(0, dollar);
        if (package.count(prefix)) return prefix;
    }
    return std::string();
}

struct EntryFile {
    zip_file_t* file;
    ~EntryFile() { zip_fclose(file); }
};

}  // namespace

ClassArchive::ClassArchive(const std::string& path) : _path(path), _handle(new Handle) {
    int code = 0;
    _handle->zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!_handle->zip) {
        throw ArchiveException("The archive " + path + " could not be opened: " + zipErrorText(code) + ".");
    }
    readEntryList();
}

ClassArchive::~ClassArchive() = default;

void ClassArchive::refuse(const std::string& entry, const std::string& reason) {
    _refused.push_back(_path + "!/" + entry + ": " + reason);
}

void ClassArchive::readEntryList() {
    const zip_int64_t count = zip_get_num_entries(_handle->zip, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > MAX_ENTRIES) {
        throw ArchiveException("The archive " + _path + " has more than " +
                               std::to_string(MAX_ENTRIES) + " entries.");
    }
    std::set<std::string> seen;
    std::vector<ClassEntry> entries;
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(_handle->zip, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            refuse("#" + std::to_string(index), "unreadable entry header");
            continue;
        }
        const std::string name = stat.name;
        if (!isClassEntryName(name)) continue;
        const std::string unsafe = whyUnsafeEntryName(name);
        if (!unsafe.empty()) {
            refuse(name, "refused: " + unsafe);
        } else if (!seen.insert(name).second) {
            refuse(name, "duplicate entry, the first is used");
        } else if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            refuse(name, "encrypted entry");
        } else if ((stat.valid & ZIP_STAT_SIZE) && stat.size > MAX_ENTRY_SIZE) {
            refuse(name, "entry over 64 MB");
        } else {
            entries.push_back({name, splitClassEntryName(name)});
        }
    }
    groupClasses(entries);
}

void ClassArchive::groupClasses(std::vector<ClassEntry>& entries) {
    std::map<std::string, std::set<std::string>> packages;
    for (const ClassEntry& entry : entries) packages[entry.parts.packagePath].insert(entry.parts.simpleName);
    // (package path, simple name) of each top-level class -> its index.
    std::map<std::pair<std::string, std::string>, std::size_t> topLevel;
    std::vector<const ClassEntry*> nested;
    for (const ClassEntry& entry : entries) {
        if (outermostOf(entry.parts.simpleName, packages[entry.parts.packagePath]).empty()) {
            topLevel[{entry.parts.packagePath, entry.parts.simpleName}] = 0;
            _classes.push_back({dotted(entry.parts.packagePath), entry.parts.simpleName, entry.name, {}});
        } else {
            nested.push_back(&entry);
        }
    }
    std::sort(_classes.begin(), _classes.end(), [](const ArchivedClass& a, const ArchivedClass& b) {
        return std::tie(a.packageName, a.simpleName) < std::tie(b.packageName, b.simpleName);
    });
    for (std::size_t i = 0; i < _classes.size(); ++i) {
        const ClassEntryName parts = splitClassEntryName(_classes[i].entryName);
        topLevel[{parts.packagePath, parts.simpleName}] = i;
    }
    for (const ClassEntry* entry : nested) {
        const std::string outer = outermostOf(entry->parts.simpleName, packages[entry->parts.packagePath]);
        _classes[topLevel.at({entry->parts.packagePath, outer})].nestedEntryNames.push_back(entry->name);
    }
}

const ArchivedClass* ClassArchive::find(const std::string& qualifiedName) const {
    for (const ArchivedClass& archived : _classes) {
        if (archived.qualifiedName() == qualifiedName) return &archived;
    }
    return nullptr;
}

// Reads at most the budget, whatever the entry's header claims.
std::string ClassArchive::readEntry(const std::string& entryName, std::uint64_t& budget) const {
    const std::string where = _path + "!/" + entryName + ": ";
    const zip_int64_t index = zip_name_locate(_handle->zip, entryName.c_str(), 0);
    if (index < 0) throw ArchiveException(where + "entry not found.");
    EntryFile entry{zip_fopen_index(_handle->zip, index, 0)};
    if (!entry.file) {
        throw ArchiveException(where + zip_strerror(_handle->zip) + ".");
    }
    const std::uint64_t limit = std::min<std::uint64_t>(budget, MAX_ENTRY_SIZE);
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t read = zip_fread(entry.file, buffer, sizeof buffer);
        if (read < 0) throw ArchiveException(where + zip_file_strerror(entry.file) + ".");
        if (read == 0) break;
        if (bytes.size() + static_cast<std::uint64_t>(read) > limit) {
            throw ArchiveException(where + (limit == MAX_ENTRY_SIZE
                                                ? std::string("entry over 64 MB.")
                                                : std::string("the class expands beyond 256 MB.")));
        }
        bytes.append(buffer, static_cast<std::size_t>(read));
    }
    budget -= bytes.size();
    return bytes;
}

std::string ClassArchive::extract(const ArchivedClass& archived, const std::string& folder) const {
    std::uint64_t budget = MAX_EXTRACTED_SIZE;
    std::string mainPath;
    std::vector<std::string> names{archived.entryName};
    names.insert(names.end(), archived.nestedEntryNames.begin(), archived.nestedEntryNames.end());
    for (const std::string& name : names) {
        const std::string bytes = readEntry(name, budget);
        // Only the last component is used, and it was checked when listed.
        const std::string target = folder + "/" + splitClassEntryName(name).simpleName + ".class";
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw ArchiveException("Could not write " + target + ".");
        if (mainPath.empty()) mainPath = target;
    }
    return mainPath;
}

}
