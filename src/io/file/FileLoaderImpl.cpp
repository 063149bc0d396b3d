#include "io/file/FileLoaderImpl.h"

#include "io/file/FileHelper.h"

namespace io {
namespace file {

std::string FileLoaderImpl::load(const std::string& fileName, unsigned byteCount) {
    return FileHelper::loadFile(fileName, byteCount);
}

}
}
