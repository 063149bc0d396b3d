#include "io/file/FileHelper.h"

#include "debug/assertion.h"
#include "io/file/StreamFailures.h"
#include "io/file/StreamOpening.h"
#include "platform/errorresources/SystemErrors.h"
#include "util/Helpers.h"
#include "windows/file/FileSystemHelpers.h"

namespace io {
namespace file {

namespace {

std::string unsignedText(std::uint64_t value) { return std::to_string(value); }

std::string limitText() { return unsignedText(FileHelper::MAX_FILE_SIZE); }

// The size as the stream reports it, before it is narrowed to 32 bits, so
// that files of 4 GiB and more are refused instead of wrapping.
std::streamoff streamSize(std::ifstream& stream, const std::string& fileName) {
    return convertStreamFailures<CouldNotLoadFileException>(
        "An error occured while trying to get the size of the file.", fileName, 84, [&stream] {
            std::streampos start = stream.tellg();
            stream.seekg(0, std::ios_base::end);
            std::streamoff size = stream.tellg();
            stream.seekg(start);
            if (!(size >= 0)) {
                assertionFailed("sz >= 0", "io/file/FileHelper", 74);
            }
            return size;
        });
}

std::string readBytes(std::ifstream& stream, std::uint64_t count, const std::string& fileName) {
    return convertStreamFailures<CouldNotLoadFileException>(
        "An error occured while trying to load the file.", fileName, 169, [&stream, count] {
            std::string bytes(static_cast<std::size_t>(count), '\0');
            stream.read(&bytes[0], static_cast<std::streamsize>(count));
            return bytes;
        });
}

}

void FileHelper::openForReading(std::ifstream& stream, const std::string& fileName) {
    convertStreamFailures<CouldNotLoadFileException>(
        "An error occured when trying to open the file for reading.", fileName, 29, [&] {
            stream.exceptions(ALL_STREAM_FAILURES);
            stream.open(fileName, std::ios_base::in | std::ios_base::binary);
        });
}

void FileHelper::openForWriting(std::ofstream& stream, const std::string& fileName,
                                std::ios_base::openmode extraFlags) {
    openForWritingAs(stream, fileName, fileName, extraFlags);
}

std::int32_t FileHelper::getFileSize(std::ifstream& stream, const std::string& fileName) {
    return static_cast<std::int32_t>(streamSize(stream, fileName));
}

std::string FileHelper::makeErrorContext(const std::string& message, const std::string& fileName,
                                         const std::string& exceptionText) {
    const std::string systemErrorText = platform::SystemErrors::map(platform::lastSystemError());
    std::string directory;
    try {
        directory = windows::file::getCurrentDirectory();
    } catch (const windows::file::CouldNotGetCurrentDirectoryException& e) {
        directory = "Couldn't get the current directory. Exception: " + e.getMessage();
    }
    return message + "\nFilename: '" + fileName + "'" + "\nCurrent Working Directory: " + directory +
           "\n" + systemErrorText + "\nC++ exception: " + exceptionText;
}

std::string FileHelper::loadFile(const std::string& fileName, std::uint32_t byteCount) {
    std::ifstream stream;
    openForReading(stream, fileName);
    const std::streamoff size = streamSize(stream, fileName);
    std::uint64_t count = byteCount;
    const std::uint64_t fileSize = size < 0 ? 0 : static_cast<std::uint64_t>(size);
    if (count > fileSize) {
        throw CouldNotLoadFileException(makeErrorContext(
            "Tried to read a larger number of bytes from a file that it contained. Tried to read : " +
                unsignedText(count) + " File size: " + unsignedText(fileSize),
            fileName, "None."));
    }
    if (count == 0) {
        count = fileSize;
    }
    if (count > MAX_FILE_SIZE) {
        throw CouldNotLoadFileException(makeErrorContext(
            "Could not load the file because the file size was too big. The file size is " +
                unsignedText(count) + ". The file cannot be bigger than " + limitText() + " bytes.",
            fileName, "None."));
    }
    return readBytes(stream, count, fileName);
}

bool FileHelper::fileExists(const std::string& fileName) {
    try {
        std::ifstream stream;
        openForReading(stream, fileName);
        return true;
    } catch (const CouldNotLoadFileException&) {
        return false;
    }
}

}
}
