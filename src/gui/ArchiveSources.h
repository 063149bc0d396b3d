#pragma once

#include <functional>
#include <string>
#include <vector>

#include "archive/ClassArchive.h"
#include "decompiler/engine/RunOptions.h"

namespace products {
namespace zefra {
namespace gui {

// The Java text of one top-level class of the archive, as the engine wrote
// it for the whole archive, or why there is none.
struct SourceFile {
    std::string qualifiedName;
    std::string entryName;
    std::string path;     // the engine's output file; empty when it failed
    std::string failure;  // the engine's reason; empty when written

    bool written() const { return failure.empty(); }
};

// Every top-level class of an archive decompiled once, in archive order.
struct SourceSet {
    std::string folder;
    bool modern = false;
    std::vector<SourceFile> classes;
    // What the engine said that names no top-level class (a nested class, an entry it refused).
    std::vector<std::string> messages;
};

using ProgressReport = std::function<void(int done, int total)>;

// Runs the engine over the archive into folder (made if missing) and tells
// how far it got by the files written so far. Throws
// DecompilerEngineException, EngineRunCancelledException when cancelled.
SourceSet decompileArchive(const std::string& archivePath, const std::vector<archive::ArchivedClass>& classes,
                           const std::string& folder, const decompiler::engine::RunOptions& options,
                           const ProgressReport& progress);

// Where the engine writes a class's text below folder.
std::string sourcePathOf(const std::string& folder, const archive::ArchivedClass& archived);

// The engine's output less its header comment (which ends at the first
// blank line), as the editor shows it. Throws io::file exceptions on a file
// that cannot be read.
std::string javaTextOf(const std::string& engineOutput);
std::string loadJavaText(const std::string& path);

}
}
}
