#pragma once

#include <QPalette>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "gui/JavaTokens.h"

namespace products {
namespace zefra {
namespace gui {

// The colours of each kind of token, chosen from a palette so that they read
// on a light and on a dark base alike.
struct JavaFormats {
    QTextCharFormat keyword;
    QTextCharFormat literal;
    QTextCharFormat string;
    QTextCharFormat comment;
    QTextCharFormat annotation;

    static JavaFormats forPalette(const QPalette& palette);
    const QTextCharFormat& of(JavaToken kind) const;
};

// Colours the document's lines as Java. It changes formats only, never the
// text, and keeps each line's lexical state in the block's user state.
class JavaHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    JavaHighlighter(QTextDocument* document, const QPalette& palette);

    // The editor's palette changed (light to dark, for one): colour anew.
    void setPalette(const QPalette& palette);
    const JavaFormats& formats() const { return _formats; }

protected:
    void highlightBlock(const QString& text) override;

private:
    JavaFormats _formats;
};

}
}
}
