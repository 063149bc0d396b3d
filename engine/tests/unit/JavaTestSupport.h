// Helpers for engine tests that compile Java sources with javac and run jad.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace jad::test {

// A fresh directory, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return _path; }

private:
    std::filesystem::path _path;
};

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line, capturing both streams.
ProcessResult runCommand(const std::string& commandLine, const std::filesystem::path& workDir);

// Writes `sources` (file name -> text) below `dir`/src and compiles them
// into `dir`/classes; returns javac's result.
ProcessResult compileJava(const std::filesystem::path& dir, const std::map<std::string, std::string>& sources,
                          const std::string& javacOptions = "");

// Runs the jad binary with `arguments` (each quoted) in `workDir`.
ProcessResult runJad(const std::vector<std::string>& arguments, const std::filesystem::path& workDir);

std::string readText(const std::filesystem::path& path);
std::vector<uint8_t> readBytes(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, const std::string& text);

// Turns CR LF into LF, so that expectations can be written naturally.
std::string withLf(const std::string& text);

}  // namespace jad::test
