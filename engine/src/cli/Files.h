// Reading inputs and their sibling class files from disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "decl/ClassTree.h"

namespace jad {

// No class file is this large; refusing bigger inputs bounds memory.
constexpr uintmax_t MaxInputBytes = uintmax_t{64} << 20;

struct ReadError {
    std::string reason;
};

// The whole file; ReadError with the reason when it cannot be read.
std::vector<uint8_t> readInputFile(const std::filesystem::path& path);

class DirectorySiblings : public SiblingFiles {
public:
    explicit DirectorySiblings(std::filesystem::path directory) : _directory(std::move(directory)) {}
    std::optional<std::vector<uint8_t>> read(const std::string& internalName) const override;
    bool hasClass(const std::string& simpleName) const override;

private:
    std::filesystem::path _directory;
};

}  // namespace jad
