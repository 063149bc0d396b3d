#include "decl/parts/LocalMarks.h"

namespace jad {

namespace {

// Neither appears in printed text: names and literals show control characters escaped.
const char Open = '\x01';
const char Close = '\x02';

}  // namespace

std::vector<std::string> markedDeclaration(const SourceWriter& written, const std::string& internalName) {
    std::vector<std::string> lines = written.writtenLines();
    if (lines.empty() || internalName.find(Close) != std::string::npos) return {};
    lines.back() += Open + internalName + Close;
    return lines;
}

std::string takeOutLocalMarks(const std::string& text, std::map<std::string, int>& counts) {
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find(Open, pos);
        const size_t close = open == std::string::npos ? std::string::npos : text.find(Close, open);
        if (close == std::string::npos) {
            result.append(text, pos, std::string::npos);
            break;
        }
        result.append(text, pos, open - pos);
        ++counts[text.substr(open + 1, close - open - 1)];
        pos = close + 1;
    }
    return result;
}

}  // namespace jad
