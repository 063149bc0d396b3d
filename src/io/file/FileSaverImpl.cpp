#include "io/file/FileSaverImpl.h"

#include "io/file/FileHelper.h"

namespace io {
namespace file {

void FileSaverImpl::save(const std::string& fileName, const std::string& data,
                         std::ios_base::openmode extraFlags) {
    FileHelper::saveFile(fileName, data, extraFlags);
}

}
}
