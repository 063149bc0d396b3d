// Enhanced `for` loops, for the modern dialect. javac copies an array into
// a hidden local, keeps its length and an index in two more, and loads the
// element into the loop variable first thing in the body; over an Iterable
// it keeps the Iterator in a hidden local and loads next() the same way.
// The source said `for (T x : expr)`.
#pragma once

#include <functional>

#include "body/ir/Ir.h"

namespace jad::body {

// Whether the elements of `iterable` are known, from generic declarations,
// to have a static type that converts to `element` without a cast: the
// loop variable of a folded loop must accept them as the source did.
using ElementsFit = std::function<bool(const Expr& iterable, const JavaType& element)>;
// Whether `className` is an Iterable (so `for` may walk it).
using IsIterable = std::function<bool(const std::string& className)>;

// Rewrites the loops of exactly javac's shapes, after locals are declared,
// into LoopKind::ForEach loops. A loop whose hidden locals are read or
// written anywhere else stays as it is.
void foldEnhancedFor(StmtList& body, const IsIterable& isIterable, const ElementsFit& elementsFit);

}  // namespace jad::body
