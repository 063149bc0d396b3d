#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace products {
namespace zefra {
namespace gui {

// The editor shows the engine's bytes as text and must give back exactly those
// bytes. Lines are kept apart from their line breaks (the editor has one kind
// of paragraph break only), and every byte that is not part of valid UTF-8 is
// carried as a lone surrogate, U+DC80 + (byte - 0x80), which valid UTF-8 never
// produces. Characters the editor itself would turn into breaks are carried
// the same way, byte by byte.

enum class LineBreak { None = 0, Lf = 1, CrLf = 2, Cr = 3 };

struct TextLine {
    QString text;
    LineBreak lineBreak;
};

struct DecodedText {
    std::vector<TextLine> lines;  // at least one; the last has LineBreak::None
    LineBreak usualBreak;         // the commonest break; Lf when there is none
};

DecodedText decodeText(const std::string& bytes);

// The bytes of one line (without its break).
void encodeLine(QStringView line, std::string& out);

const char* lineBreakBytes(LineBreak lineBreak);

}
}
}
