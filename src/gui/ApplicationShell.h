#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace products {
namespace zefra {
namespace gui {

class CMainFrame;
class CZefraDoc;
class QtMessageBoxes;
class QtShellServices;
class RecentFileList;

// What the application object sets up at start-up and tears down at exit:
// the document, the main frame with its mediator, the recent-file list and
// the message-box hook. Apart from the application object so that a test
// can start the viewer several times in one process.
class ApplicationShell {
public:
    ApplicationShell();
    ~ApplicationShell();
    ApplicationShell(const ApplicationShell&) = delete;
    ApplicationShell& operator=(const ApplicationShell&) = delete;

    // Start-up with the program's arguments; false when the program must end.
    bool start(const QStringList& arguments);

    CMainFrame* mainFrame() const { return _frame.get(); }
    CZefraDoc* document() const { return _document.get(); }
    RecentFileList* recentFiles() const { return _recentFiles.get(); }

    // The file named on the command line, made absolute; empty when none.
    static QString commandLineFile(const QStringList& arguments);

private:
    std::unique_ptr<QtMessageBoxes> _messageBoxes;
    std::unique_ptr<QtShellServices> _services;
    std::unique_ptr<RecentFileList> _recentFiles;
    std::unique_ptr<CZefraDoc> _document;
    std::unique_ptr<CMainFrame> _frame;
};

}
}
}
