#include "body/ir/BodyRequest.h"

#include <algorithm>

namespace jad {

std::vector<std::string> DecompiledBody::linesOf(size_t i) const { return linesBetween(i, i + 1); }

std::vector<std::string> DecompiledBody::linesFrom(size_t i) const { return linesBetween(i, statements.size()); }

std::vector<std::string> DecompiledBody::linesBetween(size_t from, size_t to) const {
    const auto startOf = [&](size_t i) {
        return i < statements.size() ? std::min(statements[i].firstLine, lines.size()) : lines.size();
    };
    const size_t first = startOf(from), end = startOf(to);
    if (first >= end) return {};
    return {lines.begin() + static_cast<long>(first), lines.begin() + static_cast<long>(end)};
}

}  // namespace jad
