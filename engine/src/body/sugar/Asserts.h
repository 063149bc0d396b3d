// `assert` statements, for the modern dialect.
//
// javac gives a class that asserts a synthetic `static final boolean
// $assertionsDisabled`, set in its static initializer from the top-level
// class's desiredAssertionStatus(), and compiles `assert c : m;` to
// `if (!$assertionsDisabled && !c) throw new AssertionError(m);`. The
// source said neither: the flag is not declared and the statement is
// printed as it was written.
#pragma once

#include <set>
#include <string>

#include "body/ir/Ir.h"
#include "classfile/ClassFile.h"

namespace jad::body {

// Whether `field` is the flag javac made for the asserts of `owner`, which
// the modern dialect does not declare.
bool isDroppedAssertionFlag(const ClassFile& owner, const Field& field);

// Folds the `if`s of exactly javac's shape into Assert statements and drops
// the static initializer's store of the flag. Since the flag is not
// declared, a read of it in any other shape reads a local that an assert
// sets, named apart from `taken` (the method's local names); null where no
// statement may be added (a lambda's body), and such a read is unsupported.
void foldAsserts(StmtList& body, const ClassFile& owner, const std::set<std::string>* taken);

}  // namespace jad::body
