#include "gui/ArchiveSources.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <filesystem>
#include <map>
#include <thread>

#include "decompiler/engine/ArchiveJad.h"
#include "io/file/FileHelper.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

namespace fs = std::filesystem;

constexpr auto POLL_INTERVAL = std::chrono::milliseconds(100);
const std::string CRLF_CRLF = "\r\n\r\n";

int javaFilesBelow(const std::string& folder) {
    int count = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".java") ++count;
    }
    return count;
}

// The engine runs on a thread of its own while this one counts its files.
std::vector<decompiler::engine::ArchiveEntryFailure> runWithProgress(
    const std::string& archivePath, const std::string& folder, int total,
    const decompiler::engine::RunOptions& options, const ProgressReport& progress,
    std::vector<std::string>& messages) {
    std::vector<decompiler::engine::ArchiveEntryFailure> failures;
    std::exception_ptr thrown;
    std::atomic<bool> done{false};
    std::thread engine([&] {
        try {
            const int threads = static_cast<int>(std::thread::hardware_concurrency());
            failures = decompiler::engine::ArchiveJad().decompileAll(archivePath, folder, threads, options, messages);
        } catch (...) {
            thrown = std::current_exception();
        }
        done.store(true);
    });
    while (!done.load()) {
        if (progress) progress(std::min(javaFilesBelow(folder), total), total);
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    engine.join();
    if (thrown) std::rethrow_exception(thrown);
    return failures;
}

}

std::string sourcePathOf(const std::string& folder, const archive::ArchivedClass& archived) {
    fs::path path(folder);
    std::string package = archived.packageName;
    for (char& c : package) {
        if (c == '.') c = '/';
    }
    if (!package.empty()) path /= package;
    return (path / (archived.simpleName + ".java")).string();
}

SourceSet decompileArchive(const std::string& archivePath, const std::vector<archive::ArchivedClass>& classes,
                           const std::string& folder, const decompiler::engine::RunOptions& options,
                           const ProgressReport& progress) {
    std::error_code error;
    fs::create_directories(folder, error);
    SourceSet set;
    set.folder = folder;
    set.modern = options.modern;
    const int total = static_cast<int>(classes.size());
    const auto failures = runWithProgress(archivePath, folder, total, options, progress, set.messages);
    std::map<std::string, std::string> reasons;
    for (const auto& failure : failures) reasons.emplace(failure.entryName, failure.reason);
    for (const archive::ArchivedClass& archived : classes) {
        SourceFile file{archived.qualifiedName(), archived.entryName, sourcePathOf(folder, archived), ""};
        const auto reason = reasons.find(archived.entryName);
        if (!fs::is_regular_file(file.path, error)) {
            file.failure = reason != reasons.end() ? reason->second : "the engine wrote no text for it";
            file.path.clear();
        }
        if (reason != reasons.end()) reasons.erase(reason);
        set.classes.push_back(std::move(file));
    }
    for (const auto& [entry, reason] : reasons) set.messages.push_back(entry + ": " + reason);
    if (progress) progress(total, total);
    return set;
}

std::string javaTextOf(const std::string& engineOutput) {
    const std::string::size_type end = engineOutput.find(CRLF_CRLF);
    return end == std::string::npos ? engineOutput : engineOutput.substr(end + CRLF_CRLF.size());
}

std::string loadJavaText(const std::string& path) { return javaTextOf(io::file::FileHelper::loadFile(path, 0)); }

}
}
}
