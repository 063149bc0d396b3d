#include "cli/Files.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace jad {

namespace {

std::filesystem::path siblingPath(const std::filesystem::path& directory, const std::string& name) {
    size_t slash = name.rfind('/');
    std::string simple = slash == std::string::npos ? name : name.substr(slash + 1);
    return directory / (simple + ".class");
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

std::optional<std::vector<uint8_t>> DirectorySiblings::read(const std::string& internalName) const {
    try {
        return readInputFile(siblingPath(_directory, internalName));
    } catch (const ReadError&) {
        return std::nullopt;
    }
}

bool DirectorySiblings::hasClass(const std::string& simpleName) const {
    std::error_code error;
    return std::filesystem::is_regular_file(siblingPath(_directory, simpleName), error);
}

}  // namespace jad
