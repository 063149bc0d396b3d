// How a pass gives up on a method: it throws Unsupported with the reason the
// fallback body names. The budget bounds the work of every pass.
#pragma once

#include <cstdint>
#include <string>

namespace jad::body {

struct Unsupported {
    std::string reason;
};

class Budget {
public:
    explicit Budget(uint64_t limit) : _limit(limit) {}
    void spend(uint64_t steps = 1) {
        _used += steps;
        if (_used > _limit) throw Unsupported{"method too large to decompile within the step budget"};
    }
    uint64_t used() const { return _used; }

private:
    uint64_t _limit;
    uint64_t _used = 0;
};

}  // namespace jad::body
