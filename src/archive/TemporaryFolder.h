#pragma once

#include <string>

namespace archive {

// A private folder (mode 0700) below the system's temporary directory,
// removed with everything in it when the owner goes.
class TemporaryFolder {
public:
    // Throws ArchiveException when the folder cannot be made.
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return _path; }

private:
    std::string _path;
};

}
