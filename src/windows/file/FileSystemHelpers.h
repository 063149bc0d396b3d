#pragma once

#include <string>

#include "windows/file/CouldNotConvertShortPathToLongPathException.h"
#include "windows/file/CouldNotGetCurrentDirectoryException.h"
#include "windows/file/CouldNotGetModuleFileNameException.h"
#include "windows/file/CouldNotSetCurrentDirectoryException.h"

namespace windows {
namespace file {

// Full path of the running program. Throws CouldNotGetModuleFileNameException.
std::string getModuleFileName();

// Directory of the running program, ending in platform::PATH_SEPARATOR.
std::string getApplicationDirectory();

// Current directory with one separator appended (the root gives "//").
// Throws CouldNotGetCurrentDirectoryException.
std::string getCurrentDirectory();

// Throws CouldNotSetCurrentDirectoryException.
void setCurrentDirectory(const std::string& directory);

// The path with every component in its long form; the path must exist.
// Throws CouldNotConvertShortPathToLongPathException.
std::string toLongPath(const std::string& path);

}
}
