#pragma once

#include <string>
#include <utility>
#include <vector>

namespace archivetest {

// Writes a zip with the entries in order, as given; names are stored as they
// are, so hostile names can be tried.
void writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

// A fresh folder for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return _path; }

private:
    std::string _path;
};

}
