#include "gui/CZefraView.h"

#include <QMimeData>
#include <QUrl>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "gui/Delegate.h"
#include "gui/QtShellServices.h"

namespace products {
namespace zefra {
namespace gui {

CZefraView::CZefraView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!_replacing) emit edited();
    });
}

void CZefraView::initialUpdate() { Delegate::instance().registerEditView(this); }

void CZefraView::setWholeText(const std::string& text) {
    DecodedText decoded = decodeText(text);
    QString joined;
    qsizetype size = 0;
    for (const TextLine& line : decoded.lines) size += line.text.size() + 1;
    joined.reserve(size);
    for (std::size_t i = 0; i < decoded.lines.size(); ++i) {
        if (i != 0) joined.append(QChar(u'\n'));
        joined.append(decoded.lines[i].text);
    }
    _replacing = true;
    setPlainText(joined);
    QTextBlock block = document()->firstBlock();
    for (const TextLine& line : decoded.lines) {
        if (!block.isValid()) break;
        block.setUserState(static_cast<int>(line.lineBreak));
        block = block.next();
    }
    _usualBreak = decoded.usualBreak;
    document()->setModified(false);
    _replacing = false;
    emit textReplaced();
}

LineBreak CZefraView::breakAfter(const QTextBlock& block) const {
    const int state = block.userState();
    const bool own = state == static_cast<int>(LineBreak::Lf) ||
                     state == static_cast<int>(LineBreak::CrLf) ||
                     state == static_cast<int>(LineBreak::Cr);
    // Blocks split off by editing carry no break of their own: they get the usual one.
    return own ? static_cast<LineBreak>(state) : _usualBreak;
}

// The raw text holds the blocks separated by paragraph separators, every
// other character as stored; it is much faster to get than block by block.
std::string CZefraView::getWholeText() const {
    const QString raw = document()->toRawText();
    std::string text;
    text.reserve(static_cast<std::size_t>(raw.size()) + static_cast<std::size_t>(getLineCount()));
    QTextBlock block = document()->firstBlock();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        if (i < raw.size() && raw.at(i) != QChar::ParagraphSeparator) continue;
        encodeLine(QStringView(raw).mid(lineStart, i - lineStart), text);
        if (i < raw.size()) {
            text += lineBreakBytes(breakAfter(block));
            block = block.next();
        }
        lineStart = i + 1;
    }
    return text;
}

void CZefraView::getSelection(int& start, int& end) const {
    const QTextCursor cursor = textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
}

int CZefraView::lineFromChar(int offset) const {
    if (offset < 0) offset = textCursor().selectionStart();
    return document()->findBlock(clampedPosition(offset)).blockNumber();
}

int CZefraView::lineIndex(int line) const {
    const QTextBlock block =
        line < 0 ? textCursor().block() : document()->findBlockByNumber(line);
    return block.isValid() ? block.position() : -1;
}

int CZefraView::lineLength(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    return block.isValid() ? block.length() - 1 : 0;
}

int CZefraView::getLineCount() const { return document()->blockCount(); }

int CZefraView::clampedPosition(int offset) const {
    const int last = document()->characterCount() - 1;
    return offset < 0 ? 0 : (offset > last ? last : offset);
}

void CZefraView::setSelection(int anchor, int active) {
    QTextCursor cursor(document());
    cursor.setPosition(clampedPosition(anchor));
    cursor.setPosition(clampedPosition(active), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void CZefraView::scrollCaret() { ensureCursorVisible(); }

int CZefraView::getFirstVisibleLine() const { return verticalScrollBar()->value(); }

void CZefraView::lineScroll(int lines) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
}

void CZefraView::setEditorFont(const Font& font) {
    if (const auto* qtFont = dynamic_cast<const QtFont*>(&font)) {
        setFont(qtFont->font());
        // The edit control's tab stops: every eight characters.
        setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * TAB_WIDTH);
        viewport()->update();
    }
}

void CZefraView::takeFocus() { setFocus(Qt::OtherFocusReason); }

void CZefraView::printText(QPrinter& printer) const { document()->print(&printer); }

// Dropped files are not text to insert: they are handed on to be opened.
void CZefraView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void CZefraView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void CZefraView::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasUrls()) {
        QStringList paths;
        for (const QUrl& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) paths.append(url.toLocalFile());
        }
        event->acceptProposedAction();
        emit filesDropped(paths);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

}
}
}
