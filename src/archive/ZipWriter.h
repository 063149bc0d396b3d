#pragma once

#include <memory>
#include <string>

namespace archive {

// Writes a new .zip: entries are collected and the file appears, whole, only
// when finish() succeeds; an unfinished writer leaves no file behind.
class ZipWriter {
public:
    // Throws ArchiveException when the file cannot be created.
    explicit ZipWriter(const std::string& path);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // name must be a safe entry name (see EntryName.h). Throws ArchiveException.
    void add(const std::string& name, const std::string& content);
    // Compresses and writes everything. Throws ArchiveException.
    void finish();

private:
    struct Handle;
    std::string _path;
    std::unique_ptr<Handle> _handle;
};

}
