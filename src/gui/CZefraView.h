#pragma once

#include <QFont>
#include <QList>
#include <QPlainTextEdit>

#include "gui/Partners.h"
#include "gui/TextCodec.h"

class QAction;
class QPrinter;
class QTextBlock;

namespace products {
namespace zefra {
namespace gui {

class JavaHighlighter;
class LineNumberGutter;

// The Java source editor. It holds the engine's bytes exactly: each line's
// own break is kept with its line, and new lines get the text's usual break.
// Colouring, the line numbers and the caret's line band change no text.
class CZefraView : public QPlainTextEdit, public EditViewPartner {
    Q_OBJECT
public:
    // The edit control's usual limit before a longer text raises it.
    static constexpr int DEFAULT_TEXT_LIMIT = 30000;
    static constexpr int TAB_WIDTH = 8;

    explicit CZefraView(QWidget* parent = nullptr);

    // The framework's initial update: registers with the mediator.
    void initialUpdate();

    int getLimitText() const override { return _limit; }
    void setLimitText(int characters) override { _limit = characters; }
    void setWholeText(const std::string& text) override;
    std::string getWholeText() const override;
    void getSelection(int& start, int& end) const override;
    int lineFromChar(int offset) const override;
    int lineIndex(int line) const override;
    int lineLength(int line) const override;
    int getLineCount() const override;
    void setSelection(int anchor, int active) override;
    void scrollCaret() override;
    int getFirstVisibleLine() const override;
    void lineScroll(int lines) override;
    void setEditorFont(const Font& font) override;
    void takeFocus() override;

    void printText(QPrinter& printer) const;

    // Zoom in steps of one point from the editor's font, remembered between
    // sessions; Ctrl+Plus, Ctrl+Minus, Ctrl+0 and Ctrl with the wheel.
    static constexpr int MIN_ZOOM = -8;
    static constexpr int MAX_ZOOM = 40;
    void zoomBy(int steps);
    void resetZoom();
    int zoomSteps() const { return _zoomSteps; }
    // Zoom In, Zoom Out and Normal Size, for the View menu.
    QList<QAction*> zoomActions() const { return _zoomActions; }

    LineNumberGutter* gutter() const { return _gutter; }
    JavaHighlighter* highlighter() const { return _highlighter; }

    // For the gutter, which draws beside the text's lines.
    using QPlainTextEdit::blockBoundingGeometry;
    using QPlainTextEdit::blockBoundingRect;
    using QPlainTextEdit::contentOffset;
    using QPlainTextEdit::firstVisibleBlock;

signals:
    // The user changed the text (not setWholeText).
    void edited();
    // setWholeText replaced the text.
    void textReplaced();
    // Files were dropped on the editor.
    void filesDropped(const QStringList& paths);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createZoomActions();
    void applyZoom();
    void updateGutterWidth();
    void markCurrentLine();
    int clampedPosition(int offset) const;
    LineBreak breakAfter(const QTextBlock& block) const;

    int _limit = DEFAULT_TEXT_LIMIT;
    LineBreak _usualBreak = LineBreak::Lf;
    bool _replacing = false;
    LineNumberGutter* _gutter = nullptr;
    JavaHighlighter* _highlighter = nullptr;
    QList<QAction*> _zoomActions;
    QFont _baseFont;
    int _zoomSteps = 0;
    int _wheelAngle = 0;  // eighths of a degree not yet turned into a step
};

}
}
}
