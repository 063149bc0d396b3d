#include "body/ir/BodyRequest.h"

namespace jad {

std::vector<std::string> DecompiledBody::linesOf(size_t i) const {
    const size_t end = i + 1 < statements.size() ? statements[i + 1].firstLine : lines.size();
    return {lines.begin() + static_cast<long>(statements[i].firstLine), lines.begin() + static_cast<long>(end)};
}

std::vector<std::string> DecompiledBody::linesFrom(size_t i) const {
    const size_t first = i < statements.size() ? statements[i].firstLine : lines.size();
    return {lines.begin() + static_cast<long>(first), lines.end()};
}

}  // namespace jad
