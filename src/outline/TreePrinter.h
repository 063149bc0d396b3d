#pragma once

#include <ostream>

#include "decompiler/ClassStructure.h"

namespace outline {

// Writes the node and everything below it, one line per entry (format in
// the usage text). A node does not know its own access group, so the root's
// is given.
void printTree(std::ostream& out, const products::zefra::decompiler::ClassStructure& root,
               const char* rootAccess);

}
