// Which members the source had: compiler-made ones are hidden, and bridge
// methods follow the erasure.
#pragma once

#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// Synthetic fields are hidden, except those the printed code still reads:
// the flag javac makes for `assert` (`$assertionsDisabled`), which the `if`
// it compiles to reads, and an enum's array of its constants (`$VALUES`),
// which values() returns.
bool isHiddenField(const Field& field);

bool isAssertionFlag(const Field& field);
bool isEnumValuesField(const Field& field);
// The legal name the output gives the assertion flag.
std::string assertionFlagName(const ClassFile& owner);

// A compiler-made member the output keeps gets a legal name instead of its
// `$` one: the `$`s dropped ("$VALUES" -> "VALUES"), made distinct from
// the class's other fields (for a method: its other methods) by a number.
// Declarations and the method bodies that refer to the member use it alike.
std::string legalSyntheticName(const ClassFile& owner, const std::string& name, bool isMethod);
// A field's name as its declaration prints it.
std::string printedFieldName(const ClassFile& owner, const Field& field);
// A method's name as its declaration prints it (constructors excepted).
std::string printedMethodName(const ClassFile& owner, const Method& method);

// Synthetic methods are hidden, except a bridge whose parameter types differ
// from the method it calls, in a class that gives its direct supertypes type
// arguments: the erased class needs it to implement its raw supertype, so it
// prints as an ordinary method. A bridge that differs only in its return
// type cannot be declared beside the method it bridges and stays hidden.
// An enum's `$values()` is kept when the bodies cannot write the array it
// makes in its place.
bool isHiddenMethod(const ClassFile& owner, const Method& method);

}  // namespace jad
