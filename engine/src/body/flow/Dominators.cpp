#include "body/flow/Regions.h"

namespace jad::body {

// The iterative algorithm of Cooper, Harvey and Kennedy over a reverse
// postorder; -1 marks nodes outside `order`.
std::vector<int> dominators(const std::vector<int>& order, const std::vector<std::vector<int>>& preds,
                            size_t size, Budget& budget) {
    std::vector<int> rpo(size, -1), idom(size, -1);
    for (size_t i = 0; i < order.size(); ++i) rpo[static_cast<size_t>(order[i])] = static_cast<int>(i);
    if (order.empty()) return idom;
    idom[static_cast<size_t>(order[0])] = order[0];
    auto intersect = [&](int a, int b) {
        while (a != b) {
            while (rpo[static_cast<size_t>(a)] > rpo[static_cast<size_t>(b)]) a = idom[static_cast<size_t>(a)];
            while (rpo[static_cast<size_t>(b)] > rpo[static_cast<size_t>(a)]) b = idom[static_cast<size_t>(b)];
        }
        return a;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 1; i < order.size(); ++i) {
            const int n = order[i];
            int best = -1;
            for (int p : preds[static_cast<size_t>(n)]) {
                budget.spend();
                if (rpo[static_cast<size_t>(p)] < 0 || idom[static_cast<size_t>(p)] < 0) continue;
                best = best < 0 ? p : intersect(p, best);
            }
            if (best >= 0 && idom[static_cast<size_t>(n)] != best) {
                idom[static_cast<size_t>(n)] = best;
                changed = true;
            }
        }
    }
    return idom;
}

}  // namespace jad::body
