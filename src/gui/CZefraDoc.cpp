#include "gui/CZefraDoc.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "gui/Delegate.h"
#include "gui/ModalRunner.h"
#include "gui/RecentFileList.h"

namespace products {
namespace zefra {
namespace gui {

CZefraDoc::CZefraDoc(RecentFileList& recentFiles, QObject* parent)
    : QObject(parent), _recentFiles(recentFiles), _title(NEW_DOCUMENT_TITLE) {}

bool CZefraDoc::onNewDocument() {
    _pathName.clear();
    _classFile.clear();
    _classFolder.clear();
    _savedByUser = false;
    setModified(false);
    setTitle(NEW_DOCUMENT_TITLE);
    if (!Delegate::hasInstance()) return false;
    Delegate::instance().registerDocument(this);
    Delegate::instance().clearViews();
    setModified(false);
    return true;
}

bool CZefraDoc::onOpenDocument(const QString& path) {
    if (!Delegate::hasInstance()) return true;
    Delegate::instance().registerDocument(this);
    Delegate::instance().openDocument(path.toStdString());
    return true;
}

bool CZefraDoc::onSaveDocument(const QString& path) {
    if (!Delegate::hasInstance()) return false;
    if (!Delegate::instance().saveDocument(path.toStdString())) return false;
    setModified(false);
    return true;
}

// A relative name is taken against the current directory, as the framework does.
void CZefraDoc::setPathName(const std::string& path, bool addToRecentFiles) {
    const QString absolute = QDir::current().absoluteFilePath(QString::fromStdString(path));
    _pathName = QDir::cleanPath(absolute);
    setTitle(QFileInfo(_pathName).fileName());
    if (addToRecentFiles) {
        // An open: the class file's name comes first, then the proposed Java name.
        _recentFiles.add(_pathName);
        _classFile = _pathName;
        _classFolder = QFileInfo(_pathName).absolutePath();
        _savedByUser = false;
    }
}

void CZefraDoc::setModified(bool modified) { _modified = modified; }

void CZefraDoc::setTitle(const QString& title) {
    _title = title;
    emit titleChanged(_title);
}

bool CZefraDoc::doFileSave() {
    const QFileInfo file(_pathName);
    const bool writable = !_pathName.isEmpty() && file.isFile() && file.isWritable();
    return doSave(_savedByUser && writable ? _pathName : QString());
}

bool CZefraDoc::doSave(const QString& name) {
    QString target = name;
    if (target.isEmpty()) {
        target = askSaveFileName();
        if (target.isEmpty()) return false;
    }
    if (!onSaveDocument(target)) return false;
    _savedByUser = true;
    // The saved Java file becomes the document; it is no class file to reopen,
    // so it stays out of the recent-file list.
    setPathName(target.toStdString(), false);
    return true;
}

// The file the user saved to before; else the Java name in the class file's folder.
QString CZefraDoc::proposedSaveName() const {
    const QString name = _pathName.isEmpty() ? _title : QFileInfo(_pathName).fileName();
    if (_savedByUser || _classFolder.isEmpty()) return _pathName.isEmpty() ? _title : _pathName;
    return QDir(_classFolder).absoluteFilePath(name);
}

// The dialog itself asks before it replaces an existing file.
QString CZefraDoc::askSaveFileName() const {
    QFileDialog dialog(_dialogParent, "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"Java files (*.java)", "All Files (*)"});
    const QFileInfo info(proposedSaveName());
    if (info.isAbsolute()) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

bool CZefraDoc::saveModified() {
    if (!_modified) return true;
    const QString name = _pathName.isEmpty() ? _title : QFileInfo(_pathName).fileName();
    QMessageBox box(QMessageBox::Warning, "zefra", QString("Save changes to %1?").arg(name),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, _dialogParent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (runModal(box)) {
    case QMessageBox::Yes: return doFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

}
}
}
