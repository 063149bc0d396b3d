#pragma once

#include <QObject>
#include <QString>

#include "gui/Partners.h"

class QWidget;

namespace products {
namespace zefra {
namespace gui {

class RecentFileList;

// The single document. Reading and writing go through the mediator; the
// document does what the document/view framework does around them: its path
// name and title, the modified flag, Save asking for a name, and the prompt
// before a modified text is dropped.
class CZefraDoc : public QObject, public DocumentPartner {
    Q_OBJECT
public:
    // The name of a new document.
    static constexpr const char* NEW_DOCUMENT_TITLE = "Zefra";

    explicit CZefraDoc(RecentFileList& recentFiles, QObject* parent = nullptr);

    // Owner of the document's dialogs.
    void setDialogParent(QWidget* parent) { _dialogParent = parent; }

    // File New, and start-up without a file.
    bool onNewDocument();
    // Always true: the mediator shows its own failures.
    bool onOpenDocument(const QString& path);
    bool onSaveDocument(const QString& path);

    // Save: asks for a name unless the user has saved the document under its
    // path before and that file is still there and writable.
    bool doFileSave();
    // Save As with an empty name; false when cancelled or failed.
    bool doSave(const QString& name);
    // "Save changes to %1?"; false when the user cancels (or saving fails).
    bool saveModified();

    void setPathName(const std::string& path, bool addToRecentFiles) override;
    const QString& pathName() const { return _pathName; }
    // The class file the text was decompiled from; empty for a new document.
    const QString& classFilePath() const { return _classFile; }
    const QString& title() const { return _title; }
    bool isModified() const { return _modified; }
    bool savedByUser() const { return _savedByUser; }
    void setModified(bool modified);

signals:
    void titleChanged(const QString& title);

private:
    void setTitle(const QString& title);
    QString askSaveFileName() const;
    QString proposedSaveName() const;

    RecentFileList& _recentFiles;
    QWidget* _dialogParent = nullptr;
    QString _pathName;
    QString _title;
    bool _modified = false;
    // False until the user names a file for this text: the name the document
    // was given by an open is only a proposal.
    bool _savedByUser = false;
    // The class file the text came from, and its folder, where Save As starts.
    QString _classFile;
    QString _classFolder;
};

}
}
}
