#include "decompiler/FallbackBodies.h"

#include <algorithm>

namespace products {
namespace zefra {
namespace decompiler {

namespace {

const std::string MARK = "// Not decompiled: ";
const std::string THROW = "throw new RuntimeException(\"not decompiled: ";

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(trimmed(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The throw that ends the listing starting after the mark at line mark.
bool endsInThrow(const std::vector<std::string>& lines, std::size_t mark) {
    for (std::size_t i = mark + 1; i < lines.size(); ++i) {
        if (startsWith(lines[i], THROW)) return true;
        if (!startsWith(lines[i], "//")) return false;
    }
    return false;
}

}  // namespace

std::vector<FallbackBody> findFallbackBodies(const std::string& javaText) {
    const std::vector<std::string> lines = linesOf(javaText);
    std::vector<FallbackBody> bodies;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (startsWith(lines[i], MARK) && endsInThrow(lines, i)) {
            bodies.push_back({static_cast<int>(i), lines[i].substr(MARK.size())});
        }
    }
    return bodies;
}

int owningDeclaration(const std::vector<int>& declarationLines, int bodyLine) {
    const auto after = std::upper_bound(declarationLines.begin(), declarationLines.end(), bodyLine);
    return static_cast<int>(after - declarationLines.begin()) - 1;
}

}
}
}
