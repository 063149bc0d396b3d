#pragma once

#include <memory>
#include <string>

#include "archive/ClassArchive.h"
#include "archive/TemporaryFolder.h"

namespace archive {

// An open archive and the private folder its chosen classes are extracted
// to; closing the session removes the folder.
class ArchiveSession {
public:
    // Throws ArchiveException.
    explicit ArchiveSession(const std::string& path);

    const ClassArchive& archive() const { return _archive; }
    const std::string& folder() const { return _folder.path(); }

    // Extracts the class with its nested classes below the folder, one folder
    // a package, and returns the path of its class file. Throws ArchiveException.
    std::string extract(const ArchivedClass& archived);

private:
    ClassArchive _archive;
    TemporaryFolder _folder;
};

// True for a path that names a .jar or .zip (any case).
bool isArchivePath(const std::string& path);

}
