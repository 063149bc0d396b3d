#pragma once

#include <fstream>
#include <string>

namespace io {
namespace file {

// Opens path for binary writing with every stream exception bit on; failures
// name nameForMessages, which differs from path when a save goes through a
// temporary file. Throws CouldNotSaveFileException.
void openForWritingAs(std::ofstream& stream, const std::string& path,
                      const std::string& nameForMessages, std::ios_base::openmode extraFlags);

}
}
