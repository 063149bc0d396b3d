#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace archive {

// A top-level class of an archive with the nested classes stored beside it.
struct ArchivedClass {
    std::string packageName;  // dotted, empty for the default package
    std::string simpleName;
    std::string entryName;
    std::vector<std::string> nestedEntryNames;

    std::string qualifiedName() const {
        return packageName.empty() ? simpleName : packageName + "." + simpleName;
    }
};

// The class entries of a .jar or .zip. Entries are untrusted: unsafe names,
// duplicates, encrypted entries and entries over the size limit are left out
// of the list and named in refusedEntries().
class ClassArchive {
public:
    static constexpr std::uint64_t MAX_ENTRY_SIZE = 64ull << 20;
    // What one class with its nested classes may expand to.
    static constexpr std::uint64_t MAX_EXTRACTED_SIZE = 256ull << 20;
    static constexpr std::uint64_t MAX_ENTRIES = 1u << 20;

    // Throws ArchiveException when the file is no readable archive.
    explicit ClassArchive(const std::string& path);
    ~ClassArchive();
    ClassArchive(const ClassArchive&) = delete;
    ClassArchive& operator=(const ClassArchive&) = delete;

    const std::string& path() const { return _path; }
    // Sorted by package, then name.
    const std::vector<ArchivedClass>& topLevelClasses() const { return _classes; }
    // "<archive>!/<entry>: <reason>", one for each entry left out.
    const std::vector<std::string>& refusedEntries() const { return _refused; }
    const ArchivedClass* find(const std::string& qualifiedName) const;

    // Writes the class and its nested classes into folder (which must exist)
    // and returns the path of the top-level class file. Throws ArchiveException.
    std::string extract(const ArchivedClass& archived, const std::string& folder) const;

private:
    struct Handle;
    struct ClassEntry;

    void readEntryList();
    void groupClasses(std::vector<ClassEntry>& entries);
    void refuse(const std::string& entry, const std::string& reason);
    std::string readEntry(const std::string& entryName, std::uint64_t& budget) const;

    std::string _path;
    std::unique_ptr<Handle> _handle;
    std::vector<ArchivedClass> _classes;
    std::vector<std::string> _refused;
};

}
