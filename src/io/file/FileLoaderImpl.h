#pragma once

#include "io/file/FileLoader.h"

namespace io {
namespace file {

// Loads through FileHelper::loadFile.
class FileLoaderImpl : public FileLoader {
public:
    std::string load(const std::string& fileName, unsigned byteCount) override;
};

}
}
