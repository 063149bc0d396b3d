#pragma once

#include <ios>
#include <string>

namespace io {
namespace file {

// Saves bytes into a file; lets a configuration object write elsewhere.
class FileSaver {
public:
    virtual ~FileSaver() = default;
    // extraFlags are added to out|binary; callers pass std::ios_base::openmode().
    virtual void save(const std::string& fileName, const std::string& data,
                      std::ios_base::openmode extraFlags) = 0;
};

}
}
