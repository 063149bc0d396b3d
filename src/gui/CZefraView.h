#pragma once

#include <QPlainTextEdit>

#include "gui/Partners.h"
#include "gui/TextCodec.h"

class QPrinter;
class QTextBlock;

namespace products {
namespace zefra {
namespace gui {

// The Java source editor. It holds the engine's bytes exactly: each line's
// own break is kept with its line, and new lines get the text's usual break.
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

signals:
    // The user changed the text (not setWholeText).
    void edited();
    // setWholeText replaced the text.
    void textReplaced();
    // Files were dropped on the editor.
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int clampedPosition(int offset) const;
    LineBreak breakAfter(const QTextBlock& block) const;

    int _limit = DEFAULT_TEXT_LIMIT;
    LineBreak _usualBreak = LineBreak::Lf;
    bool _replacing = false;
};

}
}
}
