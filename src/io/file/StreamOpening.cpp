#include "io/file/StreamOpening.h"

#include "io/file/StreamFailures.h"

namespace io {
namespace file {

void openForWritingAs(std::ofstream& stream, const std::string& path,
                      const std::string& nameForMessages, std::ios_base::openmode extraFlags) {
    convertStreamFailures<CouldNotSaveFileException>(
        "An error occured when trying to open the file for writing.", nameForMessages, 52, [&] {
            stream.exceptions(ALL_STREAM_FAILURES);
            stream.open(path, std::ios_base::out | std::ios_base::binary | extraFlags);
        });
}

}
}
