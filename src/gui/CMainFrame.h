#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <vector>

#include "gui/FindDialog.h"
#include "gui/Partners.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QSplitter;
class QToolBar;

namespace products {
namespace zefra {
namespace gui {

class ArchiveBrowser;
class ArchivePane;
class ArchiveTools;
class CLeftView;
class CZefraDoc;
class CZefraView;
class Delegate;
class RecentFileList;

// The main window: toolbar, status bar and the two panes. It owns the
// mediator; everything particular to the program is forwarded there.
class CMainFrame : public QMainWindow, public MainFramePartner {
    Q_OBJECT
public:
    static constexpr const char* APPLICATION_TITLE = "Zefra - Java Decompiler";
    static constexpr const char* WINDOW_TITLE = "zefra";
    static constexpr int MAX_DROPPED_PATH = 1023;

    // Creates the mediator (which reads config.txt); on failure shows
    // "Error initializing Zefra. " and leaves hasMediator() false.
    CMainFrame(CZefraDoc& document, RecentFileList& recentFiles, ShellServices& services);
    ~CMainFrame() override;

    bool hasMediator() const { return _delegate != nullptr; }
    Delegate* delegate() const { return _delegate.get(); }

    // Toolbar, status bar, registration, then the splitter and both panes.
    bool createWindow();
    // The views' initial update: tree first, then editor.
    void initialUpdateViews();
    // Geometry, toolbar, status bar and splitter as the last session left them.
    void restoreWindowState();
    void saveWindowState() const;

    // The framework's open: asks to save a modified text first.
    void openDocumentFile(const QString& path);
    // Paths of a drop; the first is opened.
    void openDroppedFiles(const QStringList& paths);

    void acceptDroppedFiles() override;
    void showDecompiling(const std::string& statusText) override;
    void showStatusMessage(const std::string& text) override;

    // Shows the archive's classes in the archive pane; false (after a message) when it cannot be read.
    bool openArchive(const QString& path);
    ArchivePane* archivePane() const { return _archivePane; }
    ArchiveBrowser* archiveBrowser() const { return _archiveBrowser; }
    // Go to declaration, back and forward, search in the archive, Save All Sources.
    ArchiveTools* archiveTools() const { return _archiveTools; }
    CZefraDoc& document() const { return _document; }
    // The archive, the class and how many of its members the engine could not decompile.
    QLabel* archiveStatus() const { return _archiveStatus; }

    QAction* action(int commandId) const;
    CLeftView* treeView() const { return _treeView; }
    CZefraView* editView() const { return _editView; }
    QLabel* statusPane(int paneId) const;
    QSplitter* splitter() const { return _splitter; }
    FindDialog* findDialog() const { return _findDialog; }

    // The status pane update of pane 59142.
    virtual void onUpdateLineIndicator();

signals:
    // The engine's run for the document ended, shown, failed or cancelled.
    void decompilingEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    bool createToolBar();
    bool createStatusBar();
    bool createClient();
    QAction* addCommand(int id, const QString& text, const QString& prompt,
                        void (CMainFrame::*handler)());
    void updateRecentFileMenu();
    void updateTitle();
    void updateLockPanes();

    void onFileNew();
    void onFileOpen();
    void onFileSave();
    void onFileSaveAs();
    void onFilePrint();
    void onFilePrintPreview();
    void onFilePrintSetup();
    void onAppExit();
    void onEditUndo();
    void onEditCut();
    void onEditCopy();
    void onEditPaste();
    void onEditFind();
    void onEditRepeat();
    void onGoTo();
    void onAppAbout();
    void onHomePage();
    void onOrderPage();
    void onImproveCode();
    void onNextPane();
    void onViewStatusBar();
    void onCancelDecompiling();
    bool refuseWhileDecompiling();
    void find(const FindRequest& request);
    void createArchiveDock();
    // The saved window state keeps the archive pane's place, not whether it shows.
    void showArchiveDockIfOpen();
    void openArchiveClass(const QString& classFilePath);
    void onTextReplaced();
    void showOpenedClassStatus();
    void reportArchiveError(const QString& message);

    CZefraDoc& _document;
    RecentFileList& _recentFiles;
    std::unique_ptr<Delegate> _delegate;
    std::map<int, QAction*> _actions;
    std::vector<QAction*> _recentActions;  // the placeholder while the list is empty
    QToolBar* _toolBar = nullptr;
    QSplitter* _splitter = nullptr;
    CLeftView* _treeView = nullptr;
    CZefraView* _editView = nullptr;
    std::map<int, QLabel*> _panes;
    FindDialog* _findDialog = nullptr;
    QPushButton* _cancelButton = nullptr;
    FindRequest _lastFind;
    std::unique_ptr<QPrinter> _printer;
    QDockWidget* _archiveDock = nullptr;
    ArchivePane* _archivePane = nullptr;
    ArchiveBrowser* _archiveBrowser = nullptr;
    ArchiveTools* _archiveTools = nullptr;
    QLabel* _archiveStatus = nullptr;
};

}
}
}
