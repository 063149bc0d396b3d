#pragma once

#include <string>

namespace pipelinetest {

// A fresh directory under the system's temporary folder, removed with all
// its contents on destruction.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return _path; }
    void writeFile(const std::string& relativePath, const std::string& content, bool executable = false) const;
    std::string readFile(const std::string& relativePath) const;

private:
    std::string _path;
};

// Makes a directory current for its lifetime and then restores the previous one.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& directory);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string _previous;
};

// Number of failed checks with this condition recorded in assertion.txt of the
// current directory.
int countLoggedChecks(const std::string& condition);

}
