#include "decompiler/engine/Jad.h"

#include <vector>

#include "debug/assertion.h"
#include "decompiler/engine/EngineProcess.h"
#include "io/file/FileHelper.h"
#include "platform/PathSeparator.h"
#include "platform/errorresources/SystemErrors.h"
#include "util/StringHelper.h"
#include "util/parser/ArgumentParserHelpers.h"
#include "windows/file/FileSystemHelpers.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

namespace {

const char SEPARATOR = platform::PATH_SEPARATOR;
const char* const SOURCE_PATH = "decompiler/engine/Jad";

// Every path is relative to the current directory, which the caller makes
// the application directory.
const std::string ENGINE_FOLDER = std::string(".") + SEPARATOR + "jad" + SEPARATOR;
const std::string ENGINE_PROGRAM = ENGINE_FOLDER + "jad";
const std::string OUTPUT_FOLDER = ENGINE_FOLDER + "tmp" + SEPARATOR;
const std::string OUTPUT_EXTENSION = ".java";

// The engine's options; the argument vector and the command line shown in
// messages are both made from this one list.
std::vector<std::string> engineOptions(bool modern) {
    std::vector<std::string> options = {"-ff", "-b", "-l80", "-o", std::string("-djad") + SEPARATOR + "tmp", "-sjava"};
    if (modern) {
        options.push_back("-m");
    }
    return options;
}

std::string commandLineText(const std::string& longPath, bool modern) {
    std::string options;
    for (const std::string& option : engineOptions(modern)) {
        options += " " + option;
    }
    return ENGINE_PROGRAM + options + " " + "\"" + longPath + "\"";
}

std::string longPathOf(const std::string& classFilePath) {
    try {
        return windows::file::toLongPath(classFilePath);
    } catch (const windows::file::CouldNotConvertShortPathToLongPathException& e) {
        throw DecompilerEngineException(e.getMessage());
    }
}

void requireEngine() {
    if (io::file::FileHelper::fileExists(ENGINE_PROGRAM)) {
        return;
    }
    std::string directory;
    try {
        directory = windows::file::getCurrentDirectory();
    } catch (const exceptions::Exception& e) {
        directory = "Could not get the current working directory. Exception:" + e.getMessage();
    }
    throw DecompilerEngineException("Could not find the Jad decompiler. Tried to load the file, " +
                                    ENGINE_PROGRAM + "." + " The current working directory is: " +
                                    directory + ".");
}

void runEngine(const std::string& longPath, bool modern) {
    std::vector<std::string> arguments = engineOptions(modern);
    arguments.push_back(longPath);
    pid_t pid = 0;
    int error = EngineProcess::start(ENGINE_PROGRAM, arguments, pid);
    if (error != 0) {
        throw DecompilerEngineException("Could not create a child process. Used command line: " +
                                        commandLineText(longPath, modern) + ". " +
                                        platform::SystemErrors::map(error));
    }
    bool exitedCleanly = false;
    error = EngineProcess::waitForEnd(pid, exitedCleanly);
    if (error != 0) {
        throw DecompilerEngineException("Could not wait for the created process: " +
                                        platform::SystemErrors::map(error));
    }
    if (!exitedCleanly) {
        throw DecompilerEngineException(
            "The decompiler engine failed. The decompiler returned a non zero exit code.");
    }
}

// The file name is the part after the last separator. Quotes are kept: on
// POSIX they are ordinary characters of a name, and the engine writes its
// output under the name it was given.
std::string outputPathFor(const std::string& longPath) {
    const std::string fileName = util::fileNameOfPath(longPath);
    std::string::size_type dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        throw DecompilerEngineException(
            "Error parsing the filename. Could not find the . in the filename. The filename is: " +
            longPath);
    }
    return OUTPUT_FOLDER + fileName.substr(0, dot) + OUTPUT_EXTENSION;
}

// The engine's header comment ends at the first blank line.
std::string withoutHeader(const std::string& output) {
    std::string::size_type endOfComments = output.find(util::CRLF_CRLF);
    if (endOfComments == std::string::npos) {
        assertionFailed("endOfComments != string::npos", SOURCE_PATH, __LINE__);
        return output;
    }
    return output.substr(endOfComments + util::CRLF_CRLF.size());
}

}

std::string Jad::decompile(const std::string& classFilePath) const {
    const std::string longPath = longPathOf(classFilePath);
    requireEngine();
    runEngine(longPath, _modern);
    return withoutHeader(io::file::FileHelper::loadFile(outputPathFor(longPath), 0));
}

}
}
}
}
