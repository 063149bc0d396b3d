#pragma once

#include <QApplication>
#include <memory>

namespace products {
namespace zefra {
namespace gui {

class CMainFrame;
class CZefraDoc;
class QtMessageBoxes;
class QtShellServices;
class RecentFileList;

// The application object and its start-up.
class CZefraApp : public QApplication {
    Q_OBJECT
public:
    static constexpr const char* SETTINGS_KEY = "Local AppWizard-Generated Applications";
    static constexpr const char* APPLICATION_NAME = "zefra";
    // Start-up could not create the mediator.
    static constexpr int INITIALIZATION_FAILED_EXIT_CODE = -1;

    CZefraApp(int& argc, char** argv);
    ~CZefraApp() override;

    // Runs the start-up steps; false when the program must end.
    bool initInstance();

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
