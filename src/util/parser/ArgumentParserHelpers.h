#pragma once

#include <string>

namespace util {

// Splitting a possibly quoted path argument. Every double quote is removed
// first; components are separated by platform::PATH_SEPARATOR only.

// The directory part up to and including the last separator, or "" when there is none.
std::string getDirectoryPart(const std::string& path);

// The part after the last separator, or the whole unquoted text when there is none.
std::string getFileNamePart(const std::string& path);

// The same splits of a path that the system itself gave or accepted. On POSIX
// a double quote is an ordinary character of a name, so nothing is removed.
std::string directoryOfPath(const std::string& path);
std::string fileNameOfPath(const std::string& path);

}
