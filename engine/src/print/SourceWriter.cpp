#include "print/SourceWriter.h"

#include "classfile/ConstantPool.h"

namespace jad {

void SourceWriter::line(const std::string& text) {
    if (text.empty()) {
        blank();
        return;
    }
    _text.append(static_cast<size_t>(_level) * 4, ' ');
    const size_t start = _text.size();
    _text += text;
    // A line end inside a line would shift everything after it. Rare, so
    // look for one first with memchr rather than testing every character.
    if (text.find('\n') != std::string::npos || text.find('\r') != std::string::npos) {
        for (size_t i = start; i < _text.size(); ++i) {
            if (_text[i] == '\r' || _text[i] == '\n') _text[i] = ' ';
        }
    }
    _text += "\r\n";
    if (_text.size() > MaxBytes) throw ClassFormatError{"output exceeds 64 MB"};
}

void SourceWriter::lines(const std::vector<std::string>& texts) {
    for (const auto& text : texts) line(text);
}

void SourceWriter::blank() {
    _text += "\r\n";
}

}  // namespace jad
