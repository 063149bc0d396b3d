#pragma once

#include <string>

namespace io {
namespace file {

// A temporary file beside a save target that replaces the target in one
// rename, so a failed save never leaves the target half written. Removed on
// destruction unless it has replaced the target.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& target);
    ~ReplacementFile();

    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // False when no temporary file could be created beside the target.
    bool reserved() const { return _reserved; }
    const std::string& path() const { return _path; }

    // Flushes the written bytes to disk and renames the file over the target.
    // False on failure, with the system's last error set.
    bool replaceTarget();

private:
    bool reserve();

    std::string _target;
    std::string _path;
    bool _reserved;
    bool _committed;
};

// The file a save to fileName should replace: the target of a symbolic link,
// so that saving through a link updates the linked file and keeps the link.
std::string resolveSaveTarget(const std::string& fileName);

// Whether target can be saved by replacing it: it does not exist yet, or it is
// a regular file with one name, owned by the user, who may write it. Anything
// else (links that do not resolve, hard links, devices, pipes, read-only files,
// directories) is written in place, so the system refuses or accepts it just
// as it would a direct write.
bool canReplace(const std::string& target);

}
}
