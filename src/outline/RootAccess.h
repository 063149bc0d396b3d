#pragma once

#include <string>

#include "decompiler/NameAndLine.h"

namespace outline {

// The access group ("public", "protected" or "private") of the top-level
// class with this name and line in the parsing result; "private" when
// there is none.
const char* rootAccessGroup(const std::string& parsingResult,
                            const products::zefra::decompiler::NameAndLine& root);

}
