#include "cli/Files.h"

#include "classfile/ClassReader.h"
#include "cli/PlatformImage.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace jad {

namespace {

// The text `directory / (simple name + ".class")` gives, joined by hand:
// splitting a path into components for every question costs more than the
// lookup it keys.
std::string siblingPath(const std::string& directory, const std::string& name) {
    size_t slash = name.rfind('/');
    std::string path = directory;
    if (!path.empty() && path.back() != '/') path += '/';
    path.append(name, slash == std::string::npos ? 0 : slash + 1, std::string::npos);
    path += ".class";
    return path;
}

}  // namespace

std::vector<uint8_t> readInputFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw ReadError{"is a directory"};
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReadError{std::string("cannot open (") + std::strerror(errno) + ")"};
    uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw ReadError{"cannot read (" + error.message() + ")"};
    if (size > MaxInputBytes) throw ReadError{"too large for a class file (" + std::to_string(size) + " bytes)"};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<size_t>(in.gcount()) != bytes.size()) throw ReadError{"cannot read the whole file"};
    return bytes;
}

std::optional<std::vector<uint8_t>> SiblingCache::read(const std::string& path) {
    auto found = _files.find(path);
    if (found != _files.end()) return found->second;
    std::optional<std::vector<uint8_t>> bytes;
    try {
        bytes = readInputFile(std::filesystem::path(path));
    } catch (const ReadError&) {
        // Missing or unreadable: remembered as such.
    }
    const size_t size = bytes ? bytes->size() : 0;
    if (_cachedBytes + size <= MaxCachedBytes) {
        _cachedBytes += size;
        _files.emplace(path, bytes);
    }
    return bytes;
}

std::shared_ptr<const ClassFile> SiblingCache::parsed(const std::string& key,
                                                     const std::function<std::shared_ptr<const ClassFile>()>& parse) {
    auto found = _classes.find(key);
    if (found != _classes.end()) return found->second;
    std::shared_ptr<const ClassFile> file = parse();
    if (_classes.size() < MaxCachedClasses) _classes.emplace(key, file);
    return file;
}

std::shared_ptr<const ClassFile> SiblingCache::declarations(
        const std::string& key, const std::function<std::shared_ptr<const ClassFile>()>& parse) {
    return _declarations.get(key, parse);
}

std::optional<std::string> classPathRoot(const std::string& directory, const std::string& internalName) {
    const size_t slash = internalName.rfind('/');
    std::string folder = directory;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (slash == std::string::npos) return folder.empty() || folder == "." ? std::string() : folder + "/";
    const std::string package = "/" + internalName.substr(0, slash);
    if (folder.size() < package.size() || folder.compare(folder.size() - package.size(), package.size(), package) != 0) {
        // A relative directory that is the package's path itself.
        if (folder == package.substr(1)) return std::string();
        return std::nullopt;
    }
    return folder.substr(0, folder.size() - package.size() + 1);
}

std::shared_ptr<const ClassFile> DirectorySiblings::classPathClass(const std::string& internalName) const {
    if (!_root || !isClassPathName(internalName)) return nullptr;
    const std::string path = *_root + internalName + ".class";
    return _cache.declarations(path, [&]() -> std::shared_ptr<const ClassFile> {
        // Only regular files: reading a pipe or a device could block.
        if (!_cache.isFile(path)) return nullptr;
        try {
            // Not kept: the declarations are all that is asked of it again.
            return declarationsOf(readInputFile(std::filesystem::path(path)), internalName);
        } catch (const ReadError&) {
            return nullptr;
        }
    });
}

std::optional<std::vector<uint8_t>> DirectorySiblings::read(const std::string& internalName) const {
    return _cache.read(siblingPath(_directory, internalName));
}

std::shared_ptr<const ClassFile> DirectorySiblings::parsed(const std::string& internalName) const {
    // The file and the name asked for: a file answers only for the class it holds.
    const std::string key = siblingPath(_directory, internalName) + '\n' + internalName;
    return _cache.parsed(key, [&] { return SiblingFiles::parsed(internalName); });
}

std::shared_ptr<const ClassFile> DirectorySiblings::declarations(const std::string& internalName) const {
    const std::string key = siblingPath(_directory, internalName) + '\n' + internalName;
    return _cache.declarations(key, [&] { return SiblingFiles::declarations(internalName); });
}

std::shared_ptr<const ClassFile> DirectorySiblings::platformClass(const std::string& internalName) const {
    return _cache.platformClass(internalName);
}

namespace {

std::shared_ptr<const ClassFile> readPlatformClass(const std::string& internalName) {
    auto bytes = PlatformImage::system().classBytes(internalName);
    if (!bytes) return nullptr;
    try {
        auto file = std::make_shared<ClassFile>(readClassFile(bytes->first, bytes->second, false));
        if (file->thisClass == internalName) return file;
    } catch (const ClassFormatError&) {
        // Treated as absent: names it would have checked are qualified.
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<const ClassFile> SiblingCache::platformClass(const std::string& internalName) {
    auto found = _platform.find(internalName);
    if (found != _platform.end()) return found->second;
    std::shared_ptr<const ClassFile> file = readPlatformClass(internalName);
    if (_platform.size() < MaxCachedPlatformClasses) _platform.emplace(internalName, file);
    return file;
}

bool DirectorySiblings::hasClass(const std::string& simpleName) const {
    return _cache.isFile(siblingPath(_directory, simpleName));
}

bool SiblingCache::isFile(const std::string& path) {
    auto found = _isFile.find(path);
    if (found != _isFile.end()) return found->second;
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(std::filesystem::path(path), error);
    if (_isFile.size() < MaxCachedClasses) _isFile.emplace(path, regular);
    return regular;
}

}  // namespace jad
