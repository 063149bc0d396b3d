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

std::optional<std::vector<uint8_t>> DirectorySiblings::read(const std::string& internalName) const {
    return _cache.read(siblingPath(_directory, internalName));
}

std::shared_ptr<const ClassFile> DirectorySiblings::parsed(const std::string& internalName) const {
    // The file and the name asked for: a file answers only for the class it holds.
    const std::string key = siblingPath(_directory, internalName) + '\n' + internalName;
    return _cache.parsed(key, [&] { return SiblingFiles::parsed(internalName); });
}

std::optional<std::vector<uint8_t>> DirectorySiblings::readFromRoot(const std::string& package,
                                                                    const std::string& internalName) const {
    // The directory is the package's folder below the root: "<root>/a/b".
    std::string folder = _directory;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const std::string own = package.empty() ? std::string() : package.substr(0, package.size() - 1);
    std::string root;
    if (own.empty()) {
        root = folder + "/";
    } else if (folder != own) {  // a relative directory may be the package's path itself
        const std::string tail = "/" + own;
        if (folder.size() < tail.size() || folder.compare(folder.size() - tail.size(), tail.size(), tail) != 0) {
            return std::nullopt;
        }
        root = folder.substr(0, folder.size() - tail.size() + 1);
    }
    return _cache.read(root + internalName + ".class");
}

std::shared_ptr<const ClassFile> DirectorySiblings::platformClass(const std::string& internalName) const {
    return _cache.platformClass(internalName);
}

std::shared_ptr<const ClassFile> SiblingCache::platformClass(const std::string& internalName) {
    // No file path starts with a newline: the keys cannot meet a sibling's.
    return parsed("\nplatform\n" + internalName, [&]() -> std::shared_ptr<const ClassFile> {
        auto bytes = PlatformImage::system().classBytes(internalName);
        if (!bytes) return nullptr;
        try {
            auto file = std::make_shared<ClassFile>(readClassFile(bytes->first, bytes->second, false));
            if (file->thisClass == internalName) return file;
        } catch (const ClassFormatError&) {
            // Treated as absent: names it would have checked are qualified.
        }
        return nullptr;
    });
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
