#pragma once

#include <QWidget>
#include <vector>

namespace products {
namespace zefra {
namespace gui {

class CZefraView;

// The strip left of the editor's text with each line's number; the caret's
// line is drawn in the text's colour, the others dimmer.
class LineNumberGutter : public QWidget {
    Q_OBJECT
public:
    static constexpr int PADDING = 6;
    static constexpr int MIN_DIGITS = 2;

    explicit LineNumberGutter(CZefraView& editor);

    // Wide enough for the largest line number, in the editor's font.
    int widthFor(int lineCount) const;
    int neededWidth() const;

    struct ShownNumber {
        int line;  // counted from 1
        int top;   // in the gutter's coordinates
    };
    // The numbers of the lines at least partly inside [top, bottom].
    std::vector<ShownNumber> numbersBetween(int top, int bottom) const;

    QSize sizeHint() const override { return QSize(neededWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void followEditor(const QRect& rect, int dy);

    CZefraView& _editor;
};

}
}
}
