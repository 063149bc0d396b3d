#include "TemporaryDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace pipelinetest {

namespace fs = std::filesystem;

TemporaryDirectory::TemporaryDirectory()
{
    std::string pattern = (fs::temp_directory_path() / "zefra-pipeline-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    _path = buffer.data();
}

TemporaryDirectory::~TemporaryDirectory()
{
    std::error_code ignored;
    fs::remove_all(_path, ignored);
}

void TemporaryDirectory::writeFile(const std::string& relativePath, const std::string& content,
                                   bool executable) const
{
    fs::path target = fs::path(_path) / relativePath;
    fs::create_directories(target.parent_path());
    {
        std::ofstream out(target, std::ios::binary);
        out << content;
    }
    if (executable) {
        fs::permissions(target, fs::perms::owner_all, fs::perm_options::add);
    }
}

std::string TemporaryDirectory::readFile(const std::string& relativePath) const
{
    std::ifstream in(fs::path(_path) / relativePath, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& directory)
    : _previous(fs::current_path().string())
{
    fs::current_path(directory);
}

CurrentDirectoryScope::~CurrentDirectoryScope()
{
    std::error_code ignored;
    fs::current_path(_previous, ignored);
}

int countLoggedChecks(const std::string& condition)
{
    std::ifstream in("assertion.txt");
    const std::string wanted = "Assertion failed. Message: " + condition;
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        if (line == wanted) {
            ++count;
        }
    }
    return count;
}

}
