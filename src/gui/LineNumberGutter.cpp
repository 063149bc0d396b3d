#include "gui/LineNumberGutter.h"

#include <QPainter>
#include <QPaintEvent>
#include <QTextBlock>

#include "gui/CZefraView.h"

namespace products {
namespace zefra {
namespace gui {

LineNumberGutter::LineNumberGutter(CZefraView& editor) : QWidget(&editor), _editor(editor) {
    connect(&editor, &QPlainTextEdit::updateRequest, this, &LineNumberGutter::followEditor);
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { update(); });
}

int LineNumberGutter::widthFor(int lineCount) const {
    int digits = 1;
    for (int count = lineCount; count >= 10; count /= 10) ++digits;
    digits = qMax(digits, MIN_DIGITS);
    return 2 * PADDING + _editor.fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

int LineNumberGutter::neededWidth() const { return widthFor(_editor.blockCount()); }

std::vector<LineNumberGutter::ShownNumber> LineNumberGutter::numbersBetween(int top, int bottom) const {
    std::vector<ShownNumber> numbers;
    QTextBlock block = _editor.firstVisibleBlock();
    int blockTop = qRound(_editor.blockBoundingGeometry(block).translated(_editor.contentOffset()).top());
    while (block.isValid() && blockTop <= bottom) {
        const int blockBottom = blockTop + qRound(_editor.blockBoundingRect(block).height());
        if (block.isVisible() && blockBottom >= top) numbers.push_back({block.blockNumber() + 1, blockTop});
        block = block.next();
        blockTop = blockBottom;
    }
    return numbers;
}

// The editor scrolled or repainted part of its text: the gutter follows.
void LineNumberGutter::followEditor(const QRect& rect, int dy) {
    if (dy != 0) {
        scroll(0, dy);
    } else {
        update(0, rect.y(), width(), rect.height());
    }
}

void LineNumberGutter::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPalette& colours = _editor.palette();
    painter.fillRect(event->rect(), colours.color(QPalette::AlternateBase));
    painter.setFont(_editor.font());
    const int current = _editor.textCursor().blockNumber() + 1;
    const int height = _editor.fontMetrics().height();
    for (const ShownNumber& shown : numbersBetween(event->rect().top(), event->rect().bottom())) {
        painter.setPen(colours.color(shown.line == current ? QPalette::Text : QPalette::PlaceholderText));
        painter.drawText(0, shown.top, width() - PADDING, height, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(shown.line));
    }
}

}
}
}
