// finally blocks. javac compiles `try { B } finally { F }` into B followed by
// a copy of F on every way out of it (falling through, break, continue,
// return, the end of each catch), plus a handler for any exception that
// runs F once more and rethrows. Folding finds those copies before
// structuring, removes them and marks the handler as the finally body; when
// any copy is missing or differs, the region is left as the try/catch it is.
#pragma once

#include "body/flow/Regions.h"

namespace jad::body {

void foldFinallyBodies(Cfg& cfg, RegionTree& regions, Budget& budget);

// `try { try { B } catch (E e) { C } } finally { F }` is the source's
// `try { B } catch (E e) { C } finally { F }`.
void mergeCatchesIntoFinally(Stmt& tryStmt);

}  // namespace jad::body
