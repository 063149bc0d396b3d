#include "decompiler/engine/Jad.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "debug/assertion.h"
#include "decompiler/engine/EngineProcess.h"
#include "decompiler/engine/EngineRunCancelledException.h"
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
std::vector<std::string> engineOptions(const RunOptions& run) {
    std::vector<std::string> options = {"-ff", "-b", "-l80", "-o",
                                        std::string("-djad") + SEPARATOR + "tmp", "-sjava"};
    if (run.modern) {
        options.push_back("-m");
    }
    return options;
}

std::string commandLineText(const std::vector<std::string>& arguments) {
    std::string text = ENGINE_PROGRAM;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        text += " " + arguments[i];
    }
    return text + " " + "\"" + arguments.back() + "\"";
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

// The engine's own words on why it failed, on one line, after the fixed text.
std::string reasonFrom(const std::string& errorOutput) {
    std::string reason = errorOutput;
    for (char& c : reason) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    const std::string::size_type first = reason.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    const std::string::size_type last = reason.find_last_not_of(' ');
    return " The engine reported: " + reason.substr(first, last - first + 1);
}

void requireSuccess(const EngineOutcome& outcome, const RunOptions& options) {
    switch (outcome.end) {
    case EngineEnd::Cancelled:
        throw EngineRunCancelledException();
    case EngineEnd::TimedOut:
        throw DecompilerEngineException("The decompiler engine did not finish within " +
                                        std::to_string(options.timeoutSeconds) +
                                        " seconds and was ended." + reasonFrom(outcome.errorOutput));
    case EngineEnd::Exited:
    case EngineEnd::Signalled:
        if (!outcome.succeeded()) {
            throw DecompilerEngineException(
                "The decompiler engine failed. The decompiler returned a non zero exit code." +
                reasonFrom(outcome.errorOutput));
        }
    }
}

void runEngine(const std::string& longPath, const RunOptions& options) {
    std::vector<std::string> arguments = engineOptions(options);
    arguments.push_back(longPath);
    EngineProcess engine;
    int error = engine.start(ENGINE_PROGRAM, arguments);
    if (error != 0) {
        throw DecompilerEngineException("Could not create a child process. Used command line: " +
                                        commandLineText(arguments) + ". " +
                                        platform::SystemErrors::map(error));
    }
    EngineOutcome outcome;
    error = engine.waitForEnd(options, outcome);
    if (error != 0) {
        throw DecompilerEngineException("Could not wait for the created process: " +
                                        platform::SystemErrors::map(error));
    }
    requireSuccess(outcome, options);
}

// An engine that ends well without writing must not leave an older text,
// perhaps of another class of the same name, to be shown in its place.
void removeEarlierOutput(const std::string& outputPath) {
    if (std::remove(outputPath.c_str()) == 0 || errno == ENOENT) {
        return;
    }
    throw DecompilerEngineException("Could not remove the earlier output of the decompiler engine, " +
                                    outputPath + ". " + platform::SystemErrors::map(errno));
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

// The same options as engineOptions less where the output goes (kept in the
// order the tests of the one-class run check).
std::vector<std::string> Jad::textOptions(const RunOptions& options) {
    std::vector<std::string> text = {"-ff", "-b", "-l80", "-sjava"};
    if (options.modern) {
        text.push_back("-m");
    }
    return text;
}

std::string Jad::decompile(const std::string& classFilePath, const RunOptions& options) const {
    const std::string longPath = longPathOf(classFilePath);
    requireEngine();
    const std::string outputPath = outputPathFor(longPath);
    removeEarlierOutput(outputPath);
    runEngine(longPath, options);
    return withoutHeader(io::file::FileHelper::loadFile(outputPath, 0));
}

}
}
}
}
