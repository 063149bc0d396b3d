#pragma once

#include <string>
#include <vector>

#include "decompiler/engine/RunOptions.h"
#include "gui/ArchiveSources.h"

namespace products {
namespace zefra {
namespace gui {

// What Save All Sources did, for the report at its end.
struct ExportReport {
    int written = 0;
    std::vector<std::string> failed;     // "<class>: <reason>"
    std::vector<std::string> fallbacks;  // "<class>.<method>: <reason>"
    std::vector<std::string> messages;   // the engine's other words
    bool cancelled = false;
};

// Writes every class's text into destination: a folder (made if missing,
// one folder a package) or, for a name ending in ".zip", a new zip archive
// that appears only when complete. Classes that fail are reported, not fatal.
// Throws ArchiveException or io::file exceptions when the destination
// itself cannot be written.
ExportReport exportSources(const SourceSet& sources, const std::string& destination,
                           const decompiler::engine::RunCancel& cancel, const ProgressReport& progress);

// The method a fallback body at bodyLine belongs to, as "name(parameters)",
// read from the header above it; empty when none is found.
std::string fallbackMethodOf(const std::string& javaText, int bodyLine);

// The report as the user reads it.
std::string reportText(const ExportReport& report, const std::string& destination);

bool isZipDestination(const std::string& destination);

}
}
}
