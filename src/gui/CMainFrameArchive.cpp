// The main window's side of archives: the archive pane, opening a chosen
// class, and the status line with the trust marks.
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "archive/ArchiveSession.h"
#include "gui/ArchiveBrowser.h"
#include "gui/ArchivePane.h"
#include "gui/ArchiveTools.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CZefraView.h"
#include "gui/ModalRunner.h"
#include "gui/RecentFileList.h"
#include "gui/TrustMarks.h"

namespace products {
namespace zefra {
namespace gui {

// The archive's packages and classes sit beside the structure tree, in a dock
// that shows while an archive is open; the tree and the editor keep their splitter.
void CMainFrame::createArchiveDock() {
    _archiveDock = new QDockWidget("Archive", this);
    _archiveDock->setObjectName("archiveDock");
    _archiveDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    _archivePane = new ArchivePane(_archiveDock);
    _archiveDock->setWidget(_archivePane);
    addDockWidget(Qt::LeftDockWidgetArea, _archiveDock);
    _archiveDock->hide();
    _archiveBrowser = new ArchiveBrowser(*_archivePane, this);
    connect(_archiveBrowser, &ArchiveBrowser::classExtracted, this,
            [this](const QString& path, const QString&) { openArchiveClass(path); });
    connect(_archiveBrowser, &ArchiveBrowser::failed, this, &CMainFrame::reportArchiveError);
    _archiveStatus = new QLabel(statusBar());
    _archiveStatus->setObjectName("archiveStatus");
    statusBar()->addWidget(_archiveStatus, 1);
    _archiveTools = new ArchiveTools(*this);
}

void CMainFrame::showArchiveDockIfOpen() {
    if (_archiveDock) _archiveDock->setVisible(_archiveBrowser->isOpen());
}

bool CMainFrame::openArchive(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QString error;
    if (!_archiveBrowser->open(absolute, error)) {
        reportArchiveError(error);
        return false;
    }
    _archiveDock->show();
    _archiveDock->setWindowTitle(QFileInfo(absolute).fileName());
    _archivePane->filterBox()->setFocus();
    _recentFiles.add(absolute);
    updateRecentFileMenu();
    const int classes = static_cast<int>(_archivePane->visibleClassCount());
    _archiveStatus->setText(QString("%1: %2 classes").arg(QFileInfo(absolute).fileName()).arg(classes));
    return true;
}

void CMainFrame::reportArchiveError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, WINDOW_TITLE, message, QMessageBox::Ok, this);
    runModal(box);
}

// A chosen class opens as any class file; the modified-text prompt comes first.
void CMainFrame::openArchiveClass(const QString& classFilePath) {
    if (refuseWhileDecompiling() || !_document.saveModified()) return;
    _document.onOpenDocument(classFilePath);
}

// The tree and the text are both in place once the event that replaced the
// text is done, whether the engine ran on this thread or another.
void CMainFrame::onTextReplaced() {
    QTimer::singleShot(0, this, &CMainFrame::showOpenedClassStatus);
}

void CMainFrame::showOpenedClassStatus() {
    // An extracted class file lives in a folder that goes with the archive:
    // the archive is what the recent list keeps.
    bool dropped = false;
    for (const QString& entry : QStringList(_recentFiles.entries())) {
        if (_archiveBrowser->holds(entry)) {
            _recentFiles.remove(entry);
            dropped = true;
        }
    }
    if (dropped) updateRecentFileMenu();
    const int marked = markFallbackMembers(*_treeView, _editView->getWholeText());
    QStringList parts;
    // The class shown, which is not always the one last chosen: its run may have failed.
    const QString shown = _archiveBrowser->classAt(_document.classFilePath());
    if (!shown.isEmpty()) {
        parts << QString("%1: %2").arg(QFileInfo(_archiveBrowser->archivePath()).fileName(), shown);
    }
    const QString summary = fallbackSummary(marked);
    if (!summary.isEmpty()) parts << summary;
    _archiveStatus->setText(parts.join(" \u2014 "));
    _archiveTools->onClassShown();
}

}
}
}
