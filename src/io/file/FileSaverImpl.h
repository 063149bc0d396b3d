#pragma once

#include "io/file/FileSaver.h"

namespace io {
namespace file {

// Saves through FileHelper::saveFile.
class FileSaverImpl : public FileSaver {
public:
    void save(const std::string& fileName, const std::string& data,
              std::ios_base::openmode extraFlags) override;
};

}
}
