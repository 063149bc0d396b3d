#include "gui/TextSearch.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace products {
namespace zefra {
namespace gui {

SearchOutcome findWrapping(QPlainTextEdit& editor, const QString& text, QTextDocument::FindFlags flags) {
    if (text.isEmpty()) return SearchOutcome::NotFound;
    if (editor.find(text, flags)) return SearchOutcome::Found;
    QTextCursor from(editor.document());
    from.movePosition(flags.testFlag(QTextDocument::FindBackward) ? QTextCursor::End : QTextCursor::Start);
    const QTextCursor found = editor.document()->find(text, from, flags);
    if (found.isNull()) return SearchOutcome::NotFound;
    editor.setTextCursor(found);
    editor.ensureCursorVisible();
    return SearchOutcome::FoundAfterWrapping;
}

QString wrappedSearchMessage(QTextDocument::FindFlags flags) {
    return flags.testFlag(QTextDocument::FindBackward)
               ? QString("Passed the beginning of the text; continued from the end")
               : QString("Passed the end of the text; continued from the beginning");
}

}
}
}
