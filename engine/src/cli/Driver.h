// Runs jad over its inputs: read, print, write, and report each failure.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace jad {

// The exit status: 0 when every input was written, 1 when any failed, 2 for
// a usage error.
int runJad(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace jad
