#include "decompiler/engine/ArchiveJad.h"

#include "decompiler/engine/DecompilerEngineException.h"
#include "decompiler/engine/EngineProcess.h"
#include "decompiler/engine/EngineRunCancelledException.h"
#include "decompiler/engine/Jad.h"
#include "io/file/FileHelper.h"
#include "platform/errorresources/SystemErrors.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

namespace {

const char* const ENGINE_PROGRAM = "./jad/jad";
// The engine's exit status when some inputs failed and the others were written.
constexpr int SOME_INPUTS_FAILED = 1;

std::string oneLine(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return line;
}

void requireNormalEnd(const EngineOutcome& outcome) {
    if (outcome.end == EngineEnd::Cancelled) throw EngineRunCancelledException();
    if (outcome.end == EngineEnd::Exited &&
        (outcome.exitCode == 0 || outcome.exitCode == SOME_INPUTS_FAILED)) {
        return;
    }
    std::string message = outcome.end == EngineEnd::Exited
                              ? "The decompiler engine failed with exit code " + std::to_string(outcome.exitCode) + "."
                              : std::string("The decompiler engine ended abnormally.");
    if (!outcome.errorOutput.empty()) message += " The engine reported: " + oneLine(outcome.errorOutput);
    throw DecompilerEngineException(message);
}

}

std::vector<std::string> ArchiveJad::arguments(const std::string& archivePath, const std::string& outputFolder,
                                               int threads, const RunOptions& options) {
    std::vector<std::string> arguments = Jad::textOptions(options);
    arguments.push_back("-o");
    arguments.push_back("-r");
    arguments.push_back("-d" + outputFolder);
    if (threads > 0) arguments.push_back("-j" + std::to_string(threads));
    arguments.push_back(archivePath);
    return arguments;
}

std::vector<ArchiveEntryFailure> ArchiveJad::decompileAll(const std::string& archivePath,
                                                          const std::string& outputFolder, int threads,
                                                          const RunOptions& options,
                                                          std::vector<std::string>& otherMessages) const {
    if (!io::file::FileHelper::fileExists(ENGINE_PROGRAM)) {
        throw DecompilerEngineException(std::string("Could not find the Jad decompiler. Tried to load the file, ") +
                                        ENGINE_PROGRAM + ".");
    }
    EngineProcess engine;
    int error = engine.start(ENGINE_PROGRAM, arguments(archivePath, outputFolder, threads, options));
    if (error != 0) {
        throw DecompilerEngineException("Could not create a child process. " + platform::SystemErrors::map(error));
    }
    EngineOutcome outcome;
    error = engine.waitForEnd(options, outcome);
    if (error != 0) {
        throw DecompilerEngineException("Could not wait for the created process: " +
                                        platform::SystemErrors::map(error));
    }
    requireNormalEnd(outcome);
    return entryFailuresOf(outcome.errorOutput, archivePath, otherMessages);
}

std::vector<ArchiveEntryFailure> entryFailuresOf(const std::string& errorOutput, const std::string& archivePath,
                                                 std::vector<std::string>& otherMessages) {
    std::vector<ArchiveEntryFailure> failures;
    const std::string prefix = archivePath + "!/";
    std::string::size_type start = 0;
    while (start < errorOutput.size()) {
        std::string::size_type end = errorOutput.find('\n', start);
        if (end == std::string::npos) end = errorOutput.size();
        std::string line = errorOutput.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::string::size_type colon = line.find(": ", prefix.size());
        if (line.compare(0, prefix.size(), prefix) == 0 && colon != std::string::npos) {
            failures.push_back({line.substr(prefix.size(), colon - prefix.size()), line.substr(colon + 2)});
        } else {
            otherMessages.push_back(line);
        }
    }
    return failures;
}

}
}
}
}
