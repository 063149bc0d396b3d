// Control-flow structuring: turns the graph of blocks and regions into one
// statement tree. Every forward edge becomes the code of its target (when
// the target has no other entry) or a `break` out of a labeled block placed
// right before the target; every back edge a `continue` of a loop around its
// header. The result is correct for every reducible graph; the tidying pass
// turns it into the if/else, while, do and for forms the source had.
#pragma once

#include "body/flow/Regions.h"

namespace jad::body {

StmtList structure(Cfg& cfg, RegionTree& regions, Budget& budget);

}  // namespace jad::body
