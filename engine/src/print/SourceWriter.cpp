#include "print/SourceWriter.h"

#include <algorithm>
#include <cstring>

#include "classfile/ConstantPool.h"

namespace jad {

void SourceWriter::line(const std::string& text) {
    if (text.empty()) {
        blank();
        return;
    }
    // One resize and plain copies: this runs for every line of the output.
    const size_t indent = static_cast<size_t>(_level) * 4;
    const size_t start = _text.size();
    _text.resize(start + indent + text.size() + 2);
    char* const out = &_text[start];
    std::memset(out, ' ', indent);
    char* const copied = out + indent;
    std::memcpy(copied, text.data(), text.size());
    copied[text.size()] = '\r';
    copied[text.size() + 1] = '\n';
    // A line end inside a line would shift everything after it. Rare, so
    // look for one first with memchr rather than testing every character.
    if (text.find('\n') != std::string::npos || text.find('\r') != std::string::npos) {
        std::replace_if(copied, copied + text.size(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    if (_text.size() > MaxBytes) throw ClassFormatError{"output exceeds 64 MB"};
}

void SourceWriter::lines(const std::vector<std::string>& texts) {
    for (const auto& text : texts) line(text);
}

std::vector<std::string> SourceWriter::writtenLines() const {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < _text.size()) {
        size_t end = _text.find("\r\n", start);
        if (end == std::string::npos) end = _text.size();
        lines.push_back(_text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void SourceWriter::blank() {
    _text += "\r\n";
}

}  // namespace jad
