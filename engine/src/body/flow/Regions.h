// Exception regions as nested nodes: every try statement (and every
// synchronized block, whose release handler is hidden) becomes one compound
// node holding its body and its handlers, innermost first, so that the
// structurer sees each region as a single node of the graph around it.
#pragma once

#include <string>
#include <vector>

#include "body/flow/Cfg.h"

namespace jad::body {

struct RegionPart {
    std::vector<std::string> types;  // catch types; empty for the body, {""} for any
    int entry = -1;                  // node id
    VarPtr caught;                   // the catch parameter
    bool isFinally = false;          // a handler for any exception that is the try's finally body
};

struct Node {
    int id = 0;
    int block = -1;       // a basic block, or -1 for a compound
    int parent = -1;      // enclosing compound, -1 at the top
    int part = 0;         // which part of the parent: 0 body, 1.. handlers
    int entryBlock = -1;  // where control enters the node
    bool sync = false;
    ExprPtr lock;
    std::vector<RegionPart> parts;  // compounds: body first, then handlers
    std::vector<int> blocks;        // every block inside (compounds)
};

struct RegionTree {
    std::vector<Node> nodes;  // node i < cfg.blocks.size() is block i
    bool isCompound(int n) const { return nodes[static_cast<size_t>(n)].block < 0; }
};

RegionTree buildRegions(Cfg& cfg, const std::vector<ExceptionHandler>& handlers, std::vector<VarPtr>& vars,
                        Budget& budget);

// Dominators over a graph given by successor lists, entry first in `order`
// (a reverse postorder); idom of the entry is itself.
std::vector<int> dominators(const std::vector<int>& order, const std::vector<std::vector<int>>& preds,
                            size_t size, Budget& budget);

}  // namespace jad::body
