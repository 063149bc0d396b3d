#include "gui/JavaHighlighter.h"

#include <QColor>
#include <QFont>

namespace products {
namespace zefra {
namespace gui {

namespace {

bool isDarkBase(const QPalette& palette) {
    return palette.color(QPalette::Base).lightnessF() < palette.color(QPalette::Text).lightnessF();
}

// A colour of the given hue, dark enough for a light base or light enough for a dark one.
QColor tone(int hue, bool dark, qreal saturation = 0.75) {
    return QColor::fromHslF(hue / 360.0, saturation, dark ? 0.72 : 0.34);
}

QColor between(const QColor& from, const QColor& to, qreal share) {
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                            from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

QTextCharFormat coloured(const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

}

JavaFormats JavaFormats::forPalette(const QPalette& palette) {
    const bool dark = isDarkBase(palette);
    JavaFormats formats;
    formats.keyword = coloured(tone(225, dark));
    formats.keyword.setFontWeight(QFont::Bold);
    formats.literal = coloured(tone(290, dark, 0.6));
    formats.string = coloured(tone(130, dark, 0.6));
    // Comments recede: the text's colour moved part of the way toward the base.
    formats.comment = coloured(between(palette.color(QPalette::Text), palette.color(QPalette::Base), 0.4));
    formats.comment.setFontItalic(true);
    formats.annotation = coloured(tone(35, dark, 0.8));
    return formats;
}

const QTextCharFormat& JavaFormats::of(JavaToken kind) const {
    switch (kind) {
    case JavaToken::Keyword: return keyword;
    case JavaToken::Literal: return literal;
    case JavaToken::String: return string;
    case JavaToken::Comment: return comment;
    case JavaToken::Annotation: return annotation;
    }
    return keyword;
}

JavaHighlighter::JavaHighlighter(QTextDocument* document, const QPalette& palette)
    : QSyntaxHighlighter(document), _formats(JavaFormats::forPalette(palette)) {}

void JavaHighlighter::setPalette(const QPalette& palette) {
    _formats = JavaFormats::forPalette(palette);
    rehighlight();
}

void JavaHighlighter::highlightBlock(const QString& text) {
    // A block never coloured before has state -1: it starts in code.
    const int previous = previousBlockState();
    const bool known = previous == static_cast<int>(JavaLineState::BlockComment) ||
                       previous == static_cast<int>(JavaLineState::TextBlock);
    const JavaLineState start = known ? static_cast<JavaLineState>(previous) : JavaLineState::Code;
    const JavaLineTokens tokens = tokenizeJavaLine(text, start);
    for (const JavaTokenSpan& span : tokens.spans) setFormat(span.start, span.length, _formats.of(span.kind));
    setCurrentBlockState(static_cast<int>(tokens.endState));
}

}
}
}
