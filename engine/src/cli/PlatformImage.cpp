#include "cli/PlatformImage.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#define JAD_HAVE_MMAP 1
#endif

namespace jad {

namespace {

namespace fs = std::filesystem;

constexpr uint32_t Magic = 0xCAFEDADA;
constexpr size_t HeaderSize = 28;

// Location attribute kinds.
enum : uint8_t { End = 0, Module = 1, Parent = 2, Base = 3, Extension = 4, Offset = 5, Compressed = 6, Uncompressed = 7 };

uint32_t nameHash(std::string_view name, uint32_t seed) {
    for (unsigned char c : name) seed = (seed * 0x01000193u) ^ c;
    return seed & 0x7FFFFFFFu;
}

std::string findImage() {
    std::error_code error;
    auto exists = [&](const fs::path& p) { return fs::is_regular_file(p, error); };
    if (const char* home = std::getenv("JAVA_HOME"); home && *home) {
        const fs::path p = fs::path(home) / "lib" / "modules";
        if (exists(p)) return p.string();
    }
    if (const char* path = std::getenv("PATH")) {
        std::string dirs(path);
        size_t start = 0;
        while (start <= dirs.size()) {
            size_t end = dirs.find(':', start);
            if (end == std::string::npos) end = dirs.size();
            const fs::path java = fs::path(dirs.substr(start, end - start)) / "java";
            if (end > start && exists(java)) {
                const fs::path real = fs::canonical(java, error);
                if (!error) {
                    const fs::path p = real.parent_path().parent_path() / "lib" / "modules";
                    if (exists(p)) return p.string();
                }
            }
            start = end + 1;
        }
    }
    const fs::path fallback = "/usr/lib/jvm/default-java/lib/modules";
    return exists(fallback) ? fallback.string() : std::string();
}

}  // namespace

const PlatformImage& PlatformImage::system() {
    static const PlatformImage image(findImage());
    return image;
}

PlatformImage::PlatformImage(const std::string& path) {
#ifdef JAD_HAVE_MMAP
    if (path.empty()) return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > static_cast<off_t>(HeaderSize)) {
        void* mapped = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped != MAP_FAILED) {
            _data = static_cast<const uint8_t*>(mapped);
            _size = static_cast<size_t>(info.st_size);
        }
    }
    ::close(fd);
    if (!_data) return;
    // The image is in the byte order of the platform that wrote it; one in
    // the other order, or of another version, is not read at all.
    const uint32_t version = u4(4);
    // magic, version, flags, resource count, table length, locations size, strings size
    _tableLength = u4(16);
    const uint64_t locationsSize = u4(20), stringsSize = u4(24);
    const uint64_t tables = uint64_t{_tableLength} * 8;
    const uint64_t indexEnd = HeaderSize + tables + locationsSize + stringsSize;
    if (u4(0) != Magic || (version >> 16) != 1 || _tableLength == 0 || indexEnd > _size) {
        ::munmap(const_cast<uint8_t*>(_data), _size);
        _data = nullptr;
        _size = 0;
        return;
    }
    _redirect = HeaderSize;
    _offsets = _redirect + size_t{_tableLength} * 4;
    _locations = _offsets + size_t{_tableLength} * 4;
    _locationsSize = static_cast<size_t>(locationsSize);
    _strings = _locations + _locationsSize;
    _stringsSize = static_cast<size_t>(stringsSize);
    _resources = static_cast<size_t>(indexEnd);
#else
    (void)path;
#endif
}

PlatformImage::~PlatformImage() {
#ifdef JAD_HAVE_MMAP
    if (_data) ::munmap(const_cast<uint8_t*>(_data), _size);
#endif
}

uint32_t PlatformImage::u4(size_t offset) const {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | _data[offset + static_cast<size_t>(i)];
    return v;
}

std::optional<std::string_view> PlatformImage::string(uint32_t offset) const {
    if (offset >= _stringsSize) return std::nullopt;
    const char* start = reinterpret_cast<const char*>(_data + _strings + offset);
    const size_t room = _stringsSize - offset;
    size_t length = 0;
    while (length < room && start[length] != '\0') ++length;
    if (length == room) return std::nullopt;
    return std::string_view(start, length);
}

std::optional<std::pair<const uint8_t*, size_t>> PlatformImage::resource(const std::string& name) const {
    if (!_data) return std::nullopt;
    const int32_t redirect = static_cast<int32_t>(u4(_redirect + 4 * (nameHash(name, 0x01000193u) % _tableLength)));
    uint32_t index = 0;
    if (redirect < 0) index = static_cast<uint32_t>(-(int64_t{redirect} + 1));
    else if (redirect > 0) index = nameHash(name, static_cast<uint32_t>(redirect)) % _tableLength;
    else return std::nullopt;
    if (index >= _tableLength) return std::nullopt;
    size_t at = u4(_offsets + 4 * size_t{index});
    uint64_t values[8] = {};
    for (;;) {
        if (at >= _locationsSize) return std::nullopt;
        const uint8_t head = _data[_locations + at];
        const uint8_t kind = head >> 3;
        if (kind == End) break;
        const size_t length = (head & 7u) + 1;
        if (kind > Uncompressed || at + 1 + length > _locationsSize) return std::nullopt;
        uint64_t v = 0;
        for (size_t i = 0; i < length; ++i) v = (v << 8) | _data[_locations + at + 1 + i];
        values[kind] = v;
        at += 1 + length;
    }
    // The hash only points at a slot: the name stored there must be this one.
    std::string stored = "/";
    for (int kind : {Module, Parent, Base}) {
        if (values[kind] > UINT32_MAX) return std::nullopt;
        auto part = string(static_cast<uint32_t>(values[kind]));
        if (!part) return std::nullopt;
        if (part->empty() && kind == Parent) continue;
        stored.append(*part);
        if (kind != Base) stored += '/';
    }
    if (values[Extension] != 0) {
        auto ext = values[Extension] <= UINT32_MAX ? string(static_cast<uint32_t>(values[Extension])) : std::nullopt;
        if (!ext) return std::nullopt;
        stored += '.';
        stored.append(*ext);
    }
    if (stored != name || values[Compressed] != 0) return std::nullopt;
    const uint64_t start = uint64_t{_resources} + values[Offset];
    if (values[Offset] > _size || values[Uncompressed] > _size || start + values[Uncompressed] > _size) return std::nullopt;
    return std::make_pair(_data + start, static_cast<size_t>(values[Uncompressed]));
}

std::optional<std::string> PlatformImage::moduleOf(const std::string& packageName) const {
    auto entries = resource("/packages/" + packageName);
    if (!entries) return std::nullopt;
    // Pairs of (the package is empty in that module, the module's name).
    const size_t base = static_cast<size_t>(entries->first - _data);
    for (size_t i = 0; i + 8 <= entries->second; i += 8) {
        if (u4(base + i) != 0) continue;
        auto module = string(u4(base + i + 4));
        if (module && !module->empty()) return std::string(*module);
    }
    return std::nullopt;
}

std::optional<std::pair<const uint8_t*, size_t>> PlatformImage::classBytes(const std::string& internalName) const {
    if (!_data || internalName.empty() || internalName.front() == '/') return std::nullopt;
    const size_t slash = internalName.rfind('/');
    if (slash == std::string::npos) return std::nullopt;  // the platform has no unnamed package
    std::string package = internalName.substr(0, slash);
    for (char& c : package) {
        if (c == '/') c = '.';
    }
    auto module = moduleOf(package);
    if (!module) return std::nullopt;
    return resource("/" + *module + "/" + internalName + ".class");
}

}  // namespace jad
