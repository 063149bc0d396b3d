#include "Fakes.h"

#include <algorithm>

#include "decompiler/DecompilerImpl.h"

namespace fakes {

std::vector<std::string> TreeView::outline() const {
    std::vector<std::string> result;
    for (const Item& item : items) {
        const std::string parent = item.parent == gui::NO_TREE_ITEM ? "" : items.at(item.parent - 1).text;
        result.push_back(item.text + "@" + parent);
    }
    return result;
}

std::vector<int> EditView::lineStarts() const {
    std::vector<int> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') starts.push_back(static_cast<int>(i + 1));
    }
    return starts;
}

int EditView::lineFromChar(int offset) const {
    if (offset < 0) offset = std::min(selStart, selEnd);
    const std::vector<int> starts = lineStarts();
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
}

int EditView::lineIndex(int line) const {
    if (line < 0) line = lineFromChar(caret);
    const std::vector<int> starts = lineStarts();
    return line < static_cast<int>(starts.size()) ? starts[static_cast<std::size_t>(line)] : -1;
}

int EditView::lineLength(int line) const {
    const std::vector<int> starts = lineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size())) return 0;
    const auto start = static_cast<std::size_t>(starts[static_cast<std::size_t>(line)]);
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    return static_cast<int>(end - start);
}

int EditView::getLineCount() const { return static_cast<int>(lineStarts().size()); }

std::unique_ptr<decompiler::ClassStructure> tree(const std::string& parsingResult,
                                                 const std::string& text) {
    return decompiler::DecompilerImpl().buildTree(parsingResult, text);
}

}
