#include "gui/CZefraApp.h"

#include <QFileInfo>

#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CommandIds.h"
#include "gui/Icons.h"
#include "gui/QtMessageBoxes.h"
#include "gui/QtShellServices.h"
#include "gui/RecentFileList.h"

namespace products {
namespace zefra {
namespace gui {

CZefraApp::CZefraApp(int& argc, char** argv)
    : QApplication(argc, argv), _messageBoxes(std::make_unique<QtMessageBoxes>()),
      _services(std::make_unique<QtShellServices>()) {}

// The frame goes first: its mediator refers to the document and the views.
CZefraApp::~CZefraApp() {
    _frame.reset();
    _document.reset();
}

QString CZefraApp::commandLineFile(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty() || argument.startsWith('-')) continue;
        // The current directory changes at start-up; the path must not.
        return QFileInfo(argument).absoluteFilePath();
    }
    return QString();
}

bool CZefraApp::initInstance() {
    setOrganizationName(SETTINGS_KEY);
    setApplicationName(APPLICATION_NAME);
    setWindowIcon(iconForId(128));
    _recentFiles = std::make_unique<RecentFileList>(RECENT_FILE_COUNT);
    const QString file = commandLineFile(arguments());

    _document = std::make_unique<CZefraDoc>(*_recentFiles);
    _frame = std::make_unique<CMainFrame>(*_document, *_recentFiles, *_services);
    if (!_frame->hasMediator() || !_frame->createWindow()) return false;
    const bool ok = file.isEmpty() ? _document->onNewDocument() : _document->onOpenDocument(file);
    if (!ok) return false;
    _frame->initialUpdateViews();
    _frame->resize(800, 600);
    _frame->show();
    return true;
}

}
}
}
