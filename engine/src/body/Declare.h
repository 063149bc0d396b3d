// Declarations and names of locals: each variable is declared at the
// narrowest statement list holding all its uses (merged into its first
// assignment where possible, or into a for-loop's init), and gets its debug
// name or a short generated one, unique wherever it is visible and never a
// word the viewer's scanner reserves.
#pragma once

#include <set>
#include <string>

#include "body/Failure.h"
#include "body/Ir.h"

namespace jad::body {

bool isReservedWord(const std::string& word);
bool isValidIdentifier(const std::string& word);

// Returns every name in use (parameters included).
std::set<std::string> declareLocals(StmtList& body, const std::vector<VarPtr>& params, Budget& budget);

}  // namespace jad::body
