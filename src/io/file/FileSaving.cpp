// FileHelper::saveFile: the target is replaced by a fully written temporary
// file in one rename, so a failure part-way (a full disk) cannot destroy it.

#include "io/file/FileHelper.h"
#include "io/file/ReplacementFile.h"
#include "io/file/StreamFailures.h"
#include "io/file/StreamOpening.h"

namespace io {
namespace file {

namespace {

const char* const WRITE_FAILED = "An error occured when trying to write the file.";

// Writes, flushes and closes, so that every byte has reached the system
// before the caller goes on.
void writeAll(std::ofstream& stream, const std::string& data, const std::string& fileName) {
    convertStreamFailures<CouldNotSaveFileException>(WRITE_FAILED, fileName, 206, [&] {
        stream.write(data.data(), static_cast<std::streamsize>(data.size()));
        stream.flush();
        stream.close();
    });
}

void writeInPlace(const std::string& fileName, const std::string& data,
                  std::ios_base::openmode extraFlags) {
    std::ofstream stream;
    openForWritingAs(stream, fileName, fileName, extraFlags);
    writeAll(stream, data, fileName);
}

void writeThroughReplacement(ReplacementFile& replacement, const std::string& fileName,
                             const std::string& data, std::ios_base::openmode extraFlags) {
    {
        std::ofstream stream;
        openForWritingAs(stream, replacement.path(), fileName, extraFlags);
        writeAll(stream, data, fileName);
    }
    if (!replacement.replaceTarget()) {
        throw CouldNotSaveFileException(FileHelper::makeErrorContext(WRITE_FAILED, fileName, "None."));
    }
}

}

void FileHelper::saveFile(const std::string& fileName, const std::string& data,
                          std::ios_base::openmode extraFlags) {
    if (data.size() > MAX_FILE_SIZE) {
        throw CouldNotSaveFileException(makeErrorContext(
            "Could not save the file because the data size was too big. The data size is " +
                std::to_string(data.size()) + ". The data cannot be bigger than " +
                std::to_string(MAX_FILE_SIZE) + " bytes.",
            fileName, "None."));
    }
    // Appending never truncates, so it cannot destroy what is there.
    const bool appending = (extraFlags & std::ios_base::app) != std::ios_base::openmode();
    const std::string target = resolveSaveTarget(fileName);
    if (appending || !canReplace(target)) {
        writeInPlace(fileName, data, extraFlags);
        return;
    }
    ReplacementFile replacement(target);
    if (!replacement.reserved()) {
        // The directory takes no new files; writing in place is the only way left.
        writeInPlace(fileName, data, extraFlags);
        return;
    }
    writeThroughReplacement(replacement, fileName, data, extraFlags);
}

}
}
