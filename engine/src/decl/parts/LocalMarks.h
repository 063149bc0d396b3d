// A local class printed in place must appear in the output once: a body
// that could not be printed drops it, one printed and thrown away would not
// tell. Each declaration carries a mark the unit counts and takes out.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "print/SourceWriter.h"

namespace jad {

// The lines `written` holds (a printed class), the last one marked as `internalName`'s.
std::vector<std::string> markedDeclaration(const SourceWriter& written, const std::string& internalName);

// `text` without its marks; `counts` gets how often each class's was there.
std::string takeOutLocalMarks(const std::string& text, std::map<std::string, int>& counts);

}  // namespace jad
