// Declarations and names of locals: each variable is declared at the
// narrowest statement list holding all its uses (merged into its first
// assignment where possible, or into a for-loop's init), and gets its debug
// name or a short generated one, unique wherever it is visible and never a
// word the viewer's scanner reserves.
#pragma once

#include <set>
#include <string>

#include "body/ir/Failure.h"
#include "body/ir/Ir.h"
#include "classfile/ClassFile.h"

namespace jad::body {

bool isReservedWord(const std::string& word);
bool isValidIdentifier(const std::string& word);

// A short generated name for a value of `type`: i, s, obj, list, arr.
std::string localBaseName(const JavaType& type);

// The name class-file tables record for parameter `index` (in `slot`) of
// `m`: MethodParameters, then the LocalVariableTable; empty when neither has it.
const std::string& recordedParameterName(const Method& m, size_t index, int slot);

// `base`, or `base` with the first number from 2 on, that `taken` lacks.
std::string freshName(const std::string& base, const std::set<std::string>& taken);

// Returns every name in use (parameters included). `outer` are names of
// enclosing scopes the body still sees (captured locals, an enclosing
// method's locals): no local may take one, or it would hide it.
std::set<std::string> declareLocals(StmtList& body, const std::vector<VarPtr>& params, Budget& budget,
                                    const std::set<std::string>* outer = nullptr);

}  // namespace jad::body
