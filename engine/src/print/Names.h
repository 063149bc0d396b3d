// Identifiers as the output writes them, and the words it must avoid.
#pragma once

#include <string>

namespace jad {

// A name from the class file as UTF-8 text safe to print on one line:
// modified UTF-8 decoded, control characters replaced by '_'.
std::string displayName(const std::string& stored);

// A word the output may not use as an identifier: Java's keywords and
// literals, the restricted words of newer Java, and the viewer's reserved words.
bool isReservedWord(const std::string& word);

// ASCII letters, digits and '_', not starting with a digit, not reserved.
bool isPlainIdentifier(const std::string& name);

}  // namespace jad
