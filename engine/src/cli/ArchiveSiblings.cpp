#include "cli/ArchiveSiblings.h"

namespace jad {

LoadedArchive::LoadedArchive(ArchiveClasses classes) : _classes(std::move(classes)) {
    _byName.reserve(_classes.entries.size());
    for (const ArchiveEntry& entry : _classes.entries) _byName.emplace(entry.name, &entry);
}

const ArchiveEntry* LoadedArchive::find(const std::string& name) const {
    auto found = _byName.find(name);
    return found == _byName.end() ? nullptr : found->second;
}

ArchiveSiblings::ArchiveSiblings(const LoadedArchive& archive, const std::string& entryName, SiblingCache& cache)
    : _archive(archive), _folder(entryName.substr(0, entryName.rfind('/') + 1)), _cache(cache) {}

std::string ArchiveSiblings::entryFor(const std::string& internalName) const {
    const size_t slash = internalName.rfind('/');
    return _folder + internalName.substr(slash == std::string::npos ? 0 : slash + 1) + ".class";
}

std::optional<std::vector<uint8_t>> ArchiveSiblings::read(const std::string& internalName) const {
    const ArchiveEntry* entry = _archive.find(entryFor(internalName));
    if (!entry) return std::nullopt;
    return entry->bytes;
}

std::optional<std::vector<uint8_t>> ArchiveSiblings::readFromRoot(const std::string& package,
                                                                  const std::string& internalName) const {
    // The entry's folder is the package below a prefix ("META-INF/versions/11/").
    if (_folder.size() < package.size() || _folder.compare(_folder.size() - package.size(), package.size(), package) != 0) {
        return std::nullopt;
    }
    const size_t prefix = _folder.size() - package.size();
    if (prefix > 0 && _folder[prefix - 1] != '/') return std::nullopt;
    const ArchiveEntry* entry = _archive.find(_folder.substr(0, prefix) + internalName + ".class");
    if (!entry) return std::nullopt;
    return entry->bytes;
}

bool ArchiveSiblings::hasClass(const std::string& simpleName) const {
    return _archive.find(_folder + simpleName + ".class") != nullptr;
}

std::shared_ptr<const ClassFile> ArchiveSiblings::parsed(const std::string& internalName) const {
    // The entry and the name asked for: an entry answers only for the class it holds.
    const std::string key = entryFor(internalName) + '\n' + internalName;
    return _cache.parsed(key, [&] { return SiblingFiles::parsed(internalName); });
}

}  // namespace jad
