#pragma once

#include <string>

namespace io {
namespace file {

// Loads a file's bytes; lets a configuration object read from elsewhere.
class FileLoader {
public:
    virtual ~FileLoader() = default;
    // byteCount 0 means the whole file.
    virtual std::string load(const std::string& fileName, unsigned byteCount) = 0;
};

}
}
