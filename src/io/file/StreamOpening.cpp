#include "io/file/StreamOpening.h"

#include "debug/assertion.h"
#include "io/file/FileHelper.h"

namespace io {
namespace file {

void openForWritingAs(std::ofstream& stream, const std::string& path,
                      const std::string& nameForMessages, std::ios_base::openmode extraFlags) {
    try {
        stream.exceptions(std::ios_base::badbit | std::ios_base::failbit | std::ios_base::eofbit);
        stream.open(path, std::ios_base::out | std::ios_base::binary | extraFlags);
    } catch (const std::ios_base::failure& failure) {
        throw CouldNotSaveFileException(FileHelper::makeErrorContext(
            "An error occured when trying to open the file for writing.", nameForMessages,
            failure.what()));
    } catch (...) {
        assertionFailed("false", "io/file/FileHelper", 52);
        throw;
    }
}

}
}
