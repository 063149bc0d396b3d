#pragma once

#include <string>
#include <vector>

#include "decompiler/engine/RunOptions.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// One class of the archive the engine could not write, in its own words.
struct ArchiveEntryFailure {
    std::string entryName;
    std::string reason;
};

// Runs the engine ./jad/jad once over a whole archive, every top-level class
// written below outputFolder in package folders, with the options of the
// one-class run so that each text is the one the viewer shows for it.
class ArchiveJad {
public:
    // threads: the engine's -j; 0 leaves it its own default. Classes that
    // fail do not end the run: they come back, with the engine's other
    // messages in otherMessages. Throws DecompilerEngineException when the
    // engine cannot be started or does not end normally, and
    // EngineRunCancelledException when cancelled.
    std::vector<ArchiveEntryFailure> decompileAll(const std::string& archivePath, const std::string& outputFolder,
                                                  int threads, const RunOptions& options,
                                                  std::vector<std::string>& otherMessages) const;

    static std::vector<std::string> arguments(const std::string& archivePath, const std::string& outputFolder,
                                              int threads, const RunOptions& options);
};

// Splits the engine's standard error into failures of the archive's entries
// ("<archive>!/<entry>: <reason>") and the other lines.
std::vector<ArchiveEntryFailure> entryFailuresOf(const std::string& errorOutput, const std::string& archivePath,
                                                 std::vector<std::string>& otherMessages);

}
}
}
}
