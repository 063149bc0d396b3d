#include "gui/TextCodec.h"

#include <array>

namespace products {
namespace zefra {
namespace gui {

namespace {

constexpr char16_t ESCAPE_BASE = 0xDC00;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Characters the editor's document would not keep as they are.
bool editorWouldAlter(char32_t codePoint) {
    return codePoint == 0x2029 || codePoint == 0xFDD0 || codePoint == 0xFDD1;
}

// Length of the valid UTF-8 sequence at bytes[i], or 0; its code point in cp.
std::size_t validSequence(const std::string& bytes, std::size_t i, std::size_t end,
                          char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    std::size_t length;
    char32_t minimum;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2; minimum = 0x80; cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3; minimum = 0x800; cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4; minimum = 0x10000; cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (end - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if (!isContinuation(b)) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

void appendCodePoint(QString& out, char32_t cp) {
    if (cp < 0x10000) {
        out.append(QChar(static_cast<char16_t>(cp)));
    } else {
        out.append(QChar(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10))));
        out.append(QChar(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))));
    }
}

QString decodeLine(const std::string& bytes, std::size_t begin, std::size_t end) {
    QString line;
    line.reserve(static_cast<qsizetype>(end - begin));
    for (std::size_t i = begin; i < end;) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            line.append(QChar(static_cast<char16_t>(b)));
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = validSequence(bytes, i, end, cp);
        if (length == 0 || editorWouldAlter(cp)) {
            const std::size_t count = length == 0 ? 1 : length;
            for (std::size_t k = 0; k < count; ++k) {
                const auto e = static_cast<unsigned char>(bytes[i + k]);
                line.append(QChar(static_cast<char16_t>(ESCAPE_BASE + e)));
            }
            i += count;
        } else {
            appendCodePoint(line, cp);
            i += length;
        }
    }
    return line;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}

const char* lineBreakBytes(LineBreak lineBreak) {
    switch (lineBreak) {
    case LineBreak::Lf: return "\n";
    case LineBreak::CrLf: return "\r\n";
    case LineBreak::Cr: return "\r";
    case LineBreak::None: break;
    }
    return "";
}

DecodedText decodeText(const std::string& bytes) {
    DecodedText decoded;
    std::array<std::size_t, 4> counts{};
    std::size_t begin = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r') continue;
        LineBreak lineBreak = LineBreak::Lf;
        std::size_t next = i + 1;
        if (bytes[i] == '\r') {
            const bool pair = next < bytes.size() && bytes[next] == '\n';
            lineBreak = pair ? LineBreak::CrLf : LineBreak::Cr;
            next += pair ? 1 : 0;
        }
        decoded.lines.push_back({decodeLine(bytes, begin, i), lineBreak});
        ++counts[static_cast<std::size_t>(lineBreak)];
        begin = next;
        i = next - 1;
    }
    decoded.lines.push_back({decodeLine(bytes, begin, bytes.size()), LineBreak::None});
    decoded.usualBreak = LineBreak::Lf;
    for (LineBreak candidate : {LineBreak::CrLf, LineBreak::Cr}) {
        if (counts[static_cast<std::size_t>(candidate)] >
            counts[static_cast<std::size_t>(decoded.usualBreak)]) {
            decoded.usualBreak = candidate;
        }
    }
    return decoded;
}

void encodeLine(QStringView line, std::string& out) {
    const qsizetype size = line.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = line.at(i).unicode();
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < size &&
                   line.at(i + 1).isLowSurrogate()) {
            const char32_t low = line.at(i + 1).unicode();
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (unit >= ESCAPE_BASE + 0x80 && unit <= ESCAPE_BASE + 0xFF) {
            out.push_back(static_cast<char>(unit - ESCAPE_BASE));
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);  // a lone surrogate typed or pasted in: not encodable
        } else {
            appendUtf8(out, unit);
        }
    }
}

}
}
}
