// try-with-resources and multi-catch, for the modern dialect.
//
// javac 11 and later close a resource after the body and, in a catch of
// Throwable around the body, close it again adding what close() throws to
// the body's exception; the null checks are left out for a `new`. javac 7
// to 10 keep the body's exception in a hidden local and close in a
// `finally`, inline (7, 8) or through a synthetic `$closeResource` (9, 10).
// Several resources nest. The source said `try (R r = init) { ... }`.
//
// A multi-catch compiles to one handler for several types; structuring
// gives each type its own clause sharing the handler's variable.
#pragma once

#include <functional>

#include "body/ir/Ir.h"
#include "body/types/Hierarchy.h"

namespace jad::body {

// Whether two exception classes are unrelated by subclassing, as a
// multi-catch requires; false when in doubt.
using Unrelated = std::function<bool(const std::string& a, const std::string& b)>;

// Rewrites the resource blocks of exactly these shapes, after locals are
// declared, into Try statements whose `init` holds the resource
// declarations. A resource or hidden local used anywhere else stays as it is.
// `owner` is the class whose `$closeResource` the javac 9 shape calls;
// that shape folds only when the class has the helper as javac makes it.
void foldTryResources(StmtList& body, const ClassFile& owner);

// Unrelated by the superclass chains `hierarchy` can read; false when in doubt.
bool unrelatedClasses(const Hierarchy& hierarchy, const std::string& a, const std::string& b);

// Joins the clauses of one handler into one multi-catch clause.
void joinMultiCatch(StmtList& body, const Unrelated& unrelated);

}  // namespace jad::body
