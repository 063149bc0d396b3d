// Reading inputs and their sibling class files from disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <unordered_map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/RecentCache.h"
#include "decl/members/ClassTree.h"

namespace jad {

// No class file is this large; refusing bigger inputs bounds memory.
constexpr uintmax_t MaxInputBytes = uintmax_t{64} << 20;

struct ReadError {
    std::string reason;
};

// The whole file; ReadError with the reason when it cannot be read.
std::vector<uint8_t> readInputFile(const std::filesystem::path& path);

// Class files read once per run: the inputs of one call share their
// siblings, and each input looks into many of them.
class SiblingCache {
public:
    // The file's bytes, nothing when it cannot be read.
    std::optional<std::vector<uint8_t>> read(const std::string& path);
    // Whether `path` is a regular file, asked of the file system once.
    bool isFile(const std::string& path);
    // The class under `key`, parsed by `parse` the first time it is asked for.
    std::shared_ptr<const ClassFile> parsed(const std::string& key,
                                            const std::function<std::shared_ptr<const ClassFile>()>& parse);
    // The declarations of the class under `key` (its code unread), parsed by
    // `parse` unless one of the latest inputs asked for them too.
    std::shared_ptr<const ClassFile> declarations(const std::string& key,
                                                  const std::function<std::shared_ptr<const ClassFile>()>& parse);
    // A class of the Java platform, its declarations read from the JDK's
    // module image once; null when there is none or it lacks the class.
    std::shared_ptr<const ClassFile> platformClass(const std::string& internalName);

private:
    // Past these, files are read and parsed each time again.
    static constexpr size_t MaxCachedBytes = size_t{16} << 20;
    static constexpr size_t MaxCachedClasses = 512;
    // The classes of a package name each other, and those of its other
    // packages: the inputs that follow one another in a run mostly ask for
    // the same declarations.
    static constexpr size_t MaxCachedDeclarations = 1024;

    std::unordered_map<std::string, std::optional<std::vector<uint8_t>>> _files;  // by path
    size_t _cachedBytes = 0;
    std::unordered_map<std::string, std::shared_ptr<const ClassFile>> _classes;  // null: unusable
    std::unordered_map<std::string, bool> _isFile;  // by path
    RecentCache<std::shared_ptr<const ClassFile>> _declarations{MaxCachedDeclarations};  // null: unusable
};

// The folder a class's package folders lie in, when `directory` ends with
// them ("out/a/b" for the class "a/b/C" gives "out/"); nothing otherwise.
std::optional<std::string> classPathRoot(const std::string& directory, const std::string& internalName);

class DirectorySiblings : public SiblingFiles {
public:
    // `root`: the folder of the input's class path, when it is known.
    DirectorySiblings(const std::filesystem::path& directory, SiblingCache& cache,
                      std::optional<std::string> root = std::nullopt)
        : _directory(directory.string()), _cache(cache), _root(std::move(root)) {}
    std::optional<std::vector<uint8_t>> read(const std::string& internalName) const override;
    bool hasClass(const std::string& simpleName) const override;
    std::shared_ptr<const ClassFile> parsed(const std::string& internalName) const override;
    std::shared_ptr<const ClassFile> declarations(const std::string& internalName) const override;
    std::shared_ptr<const ClassFile> platformClass(const std::string& internalName) const override;
    std::shared_ptr<const ClassFile> classPathClass(const std::string& internalName) const override;

private:
    std::string _directory;  // as a path string, the cache's keys start with it
    SiblingCache& _cache;
    std::optional<std::string> _root;  // ends with a slash, or is empty for the working directory
};

}  // namespace jad
