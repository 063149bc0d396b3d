#pragma once

#include <cstdint>
#include <fstream>
#include <ios>
#include <string>

#include "io/file/CouldNotLoadFileException.h"
#include "io/file/CouldNotSaveFileException.h"
#include "io/file/FileLoader.h"
#include "io/file/FileSaver.h"

namespace io {
namespace file {

// Whole-file input and output with size limits and diagnostic messages.
class FileHelper {
public:
    // The largest file that can be loaded and the largest text that can be saved.
    static constexpr std::uint32_t MAX_FILE_SIZE = 2147483647u;

    // Both switch on every stream exception bit, then open in binary mode.
    // Throw CouldNotLoadFileException / CouldNotSaveFileException.
    static void openForReading(std::ifstream& stream, const std::string& fileName);
    static void openForWriting(std::ofstream& stream, const std::string& fileName,
                               std::ios_base::openmode extraFlags = std::ios_base::openmode());

    // Size in bytes of an open stream; fileName is for messages only.
    static std::int32_t getFileSize(std::ifstream& stream, const std::string& fileName);

    // message + file name, current directory, system error text and exceptionText.
    static std::string makeErrorContext(const std::string& message, const std::string& fileName,
                                        const std::string& exceptionText);

    // byteCount 0 loads the whole file. Throws CouldNotLoadFileException.
    static std::string loadFile(const std::string& fileName, std::uint32_t byteCount = 0);

    // Writes data byte for byte. The target is replaced only once every byte is
    // on disk; on failure it is left as it was. Throws CouldNotSaveFileException.
    static void saveFile(const std::string& fileName, const std::string& data,
                         std::ios_base::openmode extraFlags = std::ios_base::openmode());

    // Whether the file can be opened for reading.
    static bool fileExists(const std::string& fileName);
};

}
}
