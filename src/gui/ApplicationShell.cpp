#include "gui/ApplicationShell.h"

#include <QFileInfo>

#include "archive/ArchiveSession.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CommandIds.h"
#include "gui/ModernJava.h"
#include "gui/QtMessageBoxes.h"
#include "gui/QtShellServices.h"
#include "gui/RecentFileList.h"

namespace products {
namespace zefra {
namespace gui {

namespace {
constexpr int INITIAL_WIDTH = 800;
constexpr int INITIAL_HEIGHT = 600;
}

ApplicationShell::ApplicationShell()
    : _messageBoxes(std::make_unique<QtMessageBoxes>()),
      _services(std::make_unique<QtShellServices>()) {}

// The frame goes first: its mediator refers to the document and the views.
ApplicationShell::~ApplicationShell() {
    _frame.reset();
    _document.reset();
}

QString ApplicationShell::commandLineFile(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty() || argument.startsWith('-')) continue;
        // Start-up changes the current directory; the named file must stay the same.
        return QFileInfo(argument).absoluteFilePath();
    }
    return QString();
}

// The order is the document/view framework's: document, frame (and with it
// the mediator and config.txt), window parts, the document's new or open
// step, then the views' initial update, which opens a file named on the
// command line.
bool ApplicationShell::start(const QStringList& arguments) {
    _recentFiles = std::make_unique<RecentFileList>(RECENT_FILE_COUNT);
    const QString file = commandLineFile(arguments);
    _document = std::make_unique<CZefraDoc>(*_recentFiles);
    _frame = std::make_unique<CMainFrame>(*_document, *_recentFiles, *_services);
    if (!_frame->hasMediator() || !_frame->createWindow()) return false;
    if (modernJavaRequested(arguments)) _frame->action(command::VIEW_MODERN_JAVA)->setChecked(true);
    const bool archive = archive::isArchivePath(file.toStdString());
    const bool ok = file.isEmpty() || archive ? _document->onNewDocument() : _document->onOpenDocument(file);
    if (!ok) return false;
    _frame->initialUpdateViews();
    if (archive) _frame->openArchive(file);
    _frame->resize(INITIAL_WIDTH, INITIAL_HEIGHT);
    _frame->restoreWindowState();
    _frame->show();
    return true;
}

}
}
}
