#pragma once

#include <QString>
#include <QTextDocument>

class QPlainTextEdit;

namespace products {
namespace zefra {
namespace gui {

enum class SearchOutcome { Found, FoundAfterWrapping, NotFound };

// Selects the next occurrence after the selection (before it, searching
// backward); past the end it goes on from the other end of the text. The
// selection stays as it was when there is none.
SearchOutcome findWrapping(QPlainTextEdit& editor, const QString& text, QTextDocument::FindFlags flags);

// The status-bar message of a search that went on from the other end.
QString wrappedSearchMessage(QTextDocument::FindFlags flags);

}
}
}
