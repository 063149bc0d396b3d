#include "gui/CZefraView.h"

#include <QAction>
#include <QMimeData>
#include <QWheelEvent>
#include <QUrl>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "gui/Delegate.h"
#include "gui/JavaHighlighter.h"
#include "gui/LineNumberGutter.h"
#include "gui/QtShellServices.h"
#include "gui/WindowSettings.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

// A line's own break. It lives in the block's user data, since the
// highlighter keeps its lexical state in the block's user state.
class LineBreakData : public QTextBlockUserData {
public:
    explicit LineBreakData(LineBreak lineBreak) : lineBreak(lineBreak) {}
    const LineBreak lineBreak;
};

constexpr int WHEEL_STEP = 120;  // one notch of a mouse wheel
constexpr qreal SMALLEST_FONT = 4;
constexpr qreal CURRENT_LINE_TINT = 0.18;

}

CZefraView::CZefraView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!_replacing) emit edited();
    });
    _highlighter = new JavaHighlighter(document(), palette());
    _gutter = new LineNumberGutter(*this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CZefraView::updateGutterWidth);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CZefraView::markCurrentLine);
    createZoomActions();
    _baseFont = font();
    _zoomSteps = qBound(MIN_ZOOM, settings::editorZoom(), MAX_ZOOM);
    applyZoom();
    markCurrentLine();
}

void CZefraView::createZoomActions() {
    const auto add = [this](const QString& text, const QList<QKeySequence>& keys, int steps) {
        auto* zoom = new QAction(text, this);
        zoom->setShortcuts(keys);
        connect(zoom, &QAction::triggered, this, [this, steps] {
            if (steps == 0) {
                resetZoom();
            } else {
                zoomBy(steps);
            }
        });
        addAction(zoom);
        _zoomActions.append(zoom);
    };
    // Ctrl+= too: on many keyboards plus is the shifted equals key.
    add("Zoom &In\tCtrl++", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1);
    add("Zoom &Out\tCtrl+-", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1);
    add("&Normal Size\tCtrl+0", {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0);
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
        block.setUserData(new LineBreakData(line.lineBreak));
        block = block.next();
    }
    _usualBreak = decoded.usualBreak;
    document()->setModified(false);
    _replacing = false;
    emit textReplaced();
}

LineBreak CZefraView::breakAfter(const QTextBlock& block) const {
    const auto* own = dynamic_cast<const LineBreakData*>(block.userData());
    // Blocks split off by editing carry no break of their own: they get the usual one.
    return own && own->lineBreak != LineBreak::None ? own->lineBreak : _usualBreak;
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
        _baseFont = qtFont->font();
        applyZoom();
    }
}

void CZefraView::zoomBy(int steps) {
    const int zoom = qBound(MIN_ZOOM, _zoomSteps + steps, MAX_ZOOM);
    if (zoom == _zoomSteps) return;
    _zoomSteps = zoom;
    applyZoom();
    settings::setEditorZoom(_zoomSteps);
}

void CZefraView::resetZoom() { zoomBy(-_zoomSteps); }

void CZefraView::applyZoom() {
    QFont zoomed = _baseFont;
    if (zoomed.pointSizeF() > 0) {
        zoomed.setPointSizeF(qMax(SMALLEST_FONT, zoomed.pointSizeF() + _zoomSteps));
    } else {
        zoomed.setPixelSize(qMax(static_cast<int>(SMALLEST_FONT), zoomed.pixelSize() + _zoomSteps));
    }
    setFont(zoomed);
    // The edit control's tab stops: every eight characters.
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * TAB_WIDTH);
    updateGutterWidth();
    viewport()->update();
}

void CZefraView::updateGutterWidth() {
    setViewportMargins(_gutter->neededWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    _gutter->setGeometry(area.left(), area.top(), _gutter->neededWidth(), area.height());
    _gutter->update();
}

// A band of the palette's highlight, faint, behind the caret's line.
void CZefraView::markCurrentLine() {
    QTextEdit::ExtraSelection line;
    QColor band = palette().color(QPalette::Highlight);
    band.setAlphaF(CURRENT_LINE_TINT);
    line.format.setBackground(band);
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

void CZefraView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    updateGutterWidth();
}

void CZefraView::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        _replacing = true;
        _highlighter->setPalette(palette());
        _replacing = false;
        markCurrentLine();
    }
}

// Ctrl with the wheel zooms as the keys do, one step a notch.
void CZefraView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    _wheelAngle += event->angleDelta().y();
    const int steps = _wheelAngle / WHEEL_STEP;
    _wheelAngle -= steps * WHEEL_STEP;
    zoomBy(steps);
    event->accept();
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
