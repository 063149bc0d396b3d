#include "archive/ArchiveSession.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "archive/ArchiveException.h"
#include "archive/EntryName.h"

namespace archive {

ArchiveSession::ArchiveSession(const std::string& path) : _archive(path) {}

std::string ArchiveSession::extract(const ArchivedClass& archived) {
    // The package path was checked when the entry was listed: plain components only.
    const std::string packagePath = splitClassEntryName(archived.entryName).packagePath;
    const std::filesystem::path target = std::filesystem::path(_folder.path()) / "classes" / packagePath;
    std::error_code error;
    std::filesystem::create_directories(target, error);
    if (error) throw ArchiveException("Could not create " + target.string() + ": " + error.message() + ".");
    return _archive.extract(archived, target.string());
}

bool isArchivePath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string suffix = path.substr(path.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".jar" || suffix == ".zip";
}

}
