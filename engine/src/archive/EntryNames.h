// What an archive's entry names may be. Names are the archive maker's
// choice, so they are checked before one is used to find or name a file.
#pragma once

#include <optional>
#include <string>

namespace jad {

// Why `name` could lead outside a directory it is placed below (a `..` or
// `.` segment, an absolute path or drive letter, a backslash, an empty
// segment), or nothing when it is a plain relative path.
std::optional<std::string> unsafeEntryName(const std::string& name);

// Entries that are archives themselves (jar, zip, war, ear, jmod, aar).
bool isArchiveName(const std::string& name);

// Entries that are class files of the archive's own class path: under
// META-INF/ lie other Java versions' copies and tools' files.
bool isClassEntry(const std::string& name);

}  // namespace jad
