#pragma once

#include <string>

namespace archive {

// Entry names come from the archive and are untrusted: only a relative name
// of plain components separated by '/' is taken. Empty when safe, else why not.
std::string whyUnsafeEntryName(const std::string& name);

// A safe name ending in ".class", split at its last '/'.
struct ClassEntryName {
    std::string packagePath;  // "com/example", empty for the default package
    std::string simpleName;   // "Outer$Inner", without ".class"
};
bool isClassEntryName(const std::string& name);
ClassEntryName splitClassEntryName(const std::string& name);

}
