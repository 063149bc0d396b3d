#include "JavaTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace jad::test {

namespace fs = std::filesystem;

namespace {

std::string quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return quoted + "'";
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "jad-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    _path = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    fs::remove_all(_path, error);
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::string text = readText(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

ProcessResult runCommand(const std::string& commandLine, const fs::path& workDir) {
    fs::path outFile = workDir / ".out";
    fs::path errFile = workDir / ".err";
    std::string full = "cd " + quote(workDir.string()) + " && " + commandLine + " >" + quote(outFile.string()) +
                       " 2>" + quote(errFile.string());
    int raw = std::system(full.c_str());
    ProcessResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readText(outFile);
    result.err = readText(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

ProcessResult compileJava(const fs::path& dir, const std::map<std::string, std::string>& sources,
                          const std::string& javacOptions) {
    std::string files;
    for (const auto& [name, text] : sources) {
        writeText(dir / "src" / name, text);
        files += " " + quote((dir / "src" / name).string());
    }
    return runCommand("javac -nowarn " + javacOptions + " -d " + quote((dir / "classes").string()) + files, dir);
}

ProcessResult runJad(const std::vector<std::string>& arguments, const fs::path& workDir) {
    std::string line = quote(JAD_TEST_BINARY);
    for (const auto& argument : arguments) line += " " + quote(argument);
    return runCommand(line, workDir);
}

std::string withLf(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i];
    }
    return result;
}

}  // namespace jad::test
