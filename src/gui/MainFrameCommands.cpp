#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

#include "gui/CAboutDialog.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CZefraView.h"
#include "gui/CommandIds.h"
#include "gui/Delegate.h"
#include "gui/ModalRunner.h"
#include "gui/ModernJava.h"
#include "gui/RecentFileList.h"
#include "gui/TextSearch.h"
#include "gui/WindowSettings.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

// The accelerator table; the first key of a command is also shown in its menu.
const std::pair<int, const char*> ACCELERATORS[] = {
    {command::EDIT_COPY, "Ctrl+C"},     {command::EDIT_FIND, "Ctrl+F"},
    {command::GO_TO, "Ctrl+G"},         {command::FILE_NEW, "Ctrl+N"},
    {command::FILE_OPEN, "Ctrl+O"},     {command::FILE_PRINT, "Ctrl+P"},
    {command::FILE_SAVE, "Ctrl+S"},     {command::EDIT_PASTE, "Ctrl+V"},
    {command::EDIT_UNDO, "Alt+Backspace"}, {command::EDIT_CUT, "Shift+Del"},
    {command::EDIT_REPEAT, "F3"},       {command::NEXT_PANE, "F6"},
    {command::PREV_PANE, "Shift+F6"},   {command::EDIT_COPY, "Ctrl+Ins"},
    {command::EDIT_PASTE, "Shift+Ins"}, {command::EDIT_CUT, "Ctrl+X"},
    {command::EDIT_UNDO, "Ctrl+Z"},     {command::CANCEL_DECOMPILING, "Esc"},
};

}

QAction* CMainFrame::addCommand(int id, const QString& text, const QString& prompt,
                                void (CMainFrame::*handler)()) {
    auto* command = new QAction(text, this);
    command->setData(id);
    command->setStatusTip(prompt.section('\n', 0, 0));
    command->setToolTip(prompt.section('\n', 1, 1));
    if (handler) connect(command, &QAction::triggered, this, handler);
    _actions[id] = command;
    addAction(command);  // keeps its keys working while menus or toolbar are hidden
    return command;
}

void CMainFrame::createActions() {
    addCommand(command::FILE_NEW, "&New\tCtrl+N", "Create a new document\nNew", &CMainFrame::onFileNew);
    addCommand(command::FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document\nOpen",
               &CMainFrame::onFileOpen);
    addCommand(command::FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave",
               &CMainFrame::onFileSave);
    addCommand(command::FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As",
               &CMainFrame::onFileSaveAs);
    addCommand(command::FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint",
               &CMainFrame::onFilePrint);
    addCommand(command::FILE_PRINT_DIRECT, "Print Direct", "Print the active document using current options\nQuick Print",
               &CMainFrame::onFilePrint)->setVisible(false);
    addCommand(command::FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview",
               &CMainFrame::onFilePrintPreview);
    addCommand(command::FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup",
               &CMainFrame::onFilePrintSetup);
    addCommand(command::APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit",
               &CMainFrame::onAppExit);
    addCommand(command::EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", &CMainFrame::onEditUndo);
    addCommand(command::EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut",
               &CMainFrame::onEditCut);
    addCommand(command::EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
               &CMainFrame::onEditCopy);
    addCommand(command::EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste",
               &CMainFrame::onEditPaste);
    addCommand(command::EDIT_FIND, "&Find...\tCtrl+F", "Find the specified text\nFind",
               &CMainFrame::onEditFind);
    addCommand(command::EDIT_REPEAT, "Find Next\tF3", "Repeat the last action\nRepeat",
               &CMainFrame::onEditRepeat);
    addCommand(command::GO_TO, "&Go To... \tCtrl+G", "Go to the specified line\nGo To",
               &CMainFrame::onGoTo);
    addCommand(command::VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar",
               nullptr)->setCheckable(true);
    addCommand(command::VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar",
               &CMainFrame::onViewStatusBar)->setCheckable(true);
    addCommand(command::VIEW_MODERN_JAVA, "&Modern Java",
               "Show Java at the class file's own language level\nModern Java", nullptr);
    addCommand(command::APP_ABOUT, "&About zefra...",
               "Display program information, version number and copyright\nAbout",
               &CMainFrame::onAppAbout);
    addCommand(command::HOME_PAGE, "&Zefra website", "", &CMainFrame::onHomePage);
    addCommand(command::ORDER_PAGE, "Order", "", &CMainFrame::onOrderPage);
    addCommand(command::IMPROVE_CODE, "&Improve your Java code", "", &CMainFrame::onImproveCode);
    addCommand(command::CANCEL_DECOMPILING, "Cancel", "Cancel the decompilation\nCancel",
               &CMainFrame::onCancelDecompiling)->setEnabled(false);
    addCommand(command::NEXT_PANE, "Next Pane", "Switch to the next window pane\nNext Pane",
               &CMainFrame::onNextPane);
    addCommand(command::PREV_PANE, "Previous Pane", "Switch back to the previous window pane\nPrevious Pane",
               &CMainFrame::onNextPane);

    std::map<int, QList<QKeySequence>> keys;
    for (const auto& [id, key] : ACCELERATORS) keys[id].append(QKeySequence(key));
    for (const auto& [id, sequences] : keys) action(id)->setShortcuts(sequences);

    action(command::VIEW_TOOLBAR)->setChecked(true);
    action(command::VIEW_STATUS_BAR)->setChecked(true);
    action(command::EDIT_UNDO)->setEnabled(false);
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        auto* recent = new QAction("Recent File", this);
        recent->setData(command::FILE_MRU_FIRST + i);
        recent->setStatusTip("Open this document");
        connect(recent, &QAction::triggered, this, [this, i] {
            const QString path = _recentFiles.entries().value(i);
            if (!path.isEmpty()) openDocumentFile(path);
        });
        _recentActions.push_back(recent);
    }
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("fileMenu");
    for (int id : {command::FILE_NEW, command::FILE_OPEN, command::FILE_SAVE, command::FILE_SAVE_AS}) {
        file->addAction(action(id));
    }
    file->addSeparator();
    for (int id : {command::FILE_PRINT, command::FILE_PRINT_PREVIEW, command::FILE_PRINT_SETUP}) {
        file->addAction(action(id));
    }
    file->addSeparator();
    for (QAction* recent : _recentActions) file->addAction(recent);
    file->addSeparator();
    file->addAction(action(command::APP_EXIT));
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu();

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("editMenu");
    edit->addAction(action(command::EDIT_UNDO));
    edit->addSeparator();
    for (int id : {command::EDIT_CUT, command::EDIT_COPY, command::EDIT_PASTE, command::EDIT_FIND,
                   command::EDIT_REPEAT, command::GO_TO}) {
        edit->addAction(action(id));
    }
    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("viewMenu");  // the editor's zoom joins it once the editor is there
    view->addAction(action(command::VIEW_TOOLBAR));
    view->addAction(action(command::VIEW_STATUS_BAR));
    view->addSeparator();
    view->addAction(action(command::VIEW_MODERN_JAVA));
    connectModernJava(*action(command::VIEW_MODERN_JAVA),
                      [this](bool on) { if (_delegate) _delegate->setModernJava(on); });
    QMenu* help = menuBar()->addMenu("&Help");
    for (int id : {command::APP_ABOUT, command::HOME_PAGE, command::IMPROVE_CODE}) {
        help->addAction(action(id));
    }
    connect(action(command::VIEW_TOOLBAR), &QAction::toggled, this,
            [this](bool on) { if (_toolBar) _toolBar->setVisible(on); });
}

// "Recent File", grayed, stands in for an empty list.
void CMainFrame::updateRecentFileMenu() {
    const QStringList& entries = _recentFiles.entries();
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        QAction* recent = _recentActions[static_cast<std::size_t>(i)];
        if (i < entries.size()) {
            recent->setText(_recentFiles.menuText(i));
            recent->setEnabled(true);
            recent->setVisible(true);
        } else {
            recent->setText("Recent File");
            recent->setEnabled(false);
            recent->setVisible(i == 0 && entries.isEmpty());
        }
    }
}

// --- File -------------------------------------------------------------------

void CMainFrame::onFileNew() {
    if (_document.saveModified()) _document.onNewDocument();
}

// The platform's own dialog, class files offered first, in the folder it was last left in.
void CMainFrame::onFileOpen() {
    QFileDialog dialog(this, "Open");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Class files (*.class)", "Archives (*.jar *.zip)", "All Files (*)"});
    const QString folder = settings::lastOpenFolder();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = dialog.selectedFiles().constFirst();
    settings::setLastOpenFolder(QFileInfo(chosen).absolutePath());
    openDocumentFile(chosen);
}

void CMainFrame::onFileSave() { _document.doFileSave(); }

void CMainFrame::onFileSaveAs() { _document.doSave(QString()); }

void CMainFrame::onFilePrint() {
    QPrintDialog dialog(_printer.get(), this);
    if (runModal(dialog) == QDialog::Accepted) _editView->printText(*_printer);
}

void CMainFrame::onFilePrintPreview() {
    QPrintPreviewDialog dialog(_printer.get(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { _editView->printText(*printer); });
    runModal(dialog);
}

void CMainFrame::onFilePrintSetup() {
    QPageSetupDialog dialog(_printer.get(), this);
    runModal(dialog);
}

void CMainFrame::onAppExit() { close(); }

// --- Edit -------------------------------------------------------------------

void CMainFrame::onEditUndo() { _editView->undo(); }
void CMainFrame::onEditCut() { _editView->cut(); }
void CMainFrame::onEditCopy() { _editView->copy(); }
void CMainFrame::onEditPaste() { _editView->paste(); }

void CMainFrame::onEditFind() {
    if (!_findDialog) {
        _findDialog = new FindDialog(this);
        connect(_findDialog, &FindDialog::findNext, this, &CMainFrame::find);
    }
    FindRequest request = _lastFind;
    const QString selected = _editView->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) request.text = selected;
    _findDialog->setRequest(request);
    _findDialog->show();
    _findDialog->raise();
    _findDialog->activateWindow();
}

void CMainFrame::onEditRepeat() {
    if (_lastFind.text.isEmpty()) {
        onEditFind();
        return;
    }
    find(_lastFind);
}

void CMainFrame::find(const FindRequest& request) {
    _lastFind = request;
    const SearchOutcome outcome = findWrapping(*_editView, request.text, request.flags());
    if (outcome == SearchOutcome::FoundAfterWrapping) {
        statusBar()->showMessage(wrappedSearchMessage(request.flags()), 3000);
    } else if (outcome == SearchOutcome::NotFound) {
        QApplication::beep();
        statusBar()->showMessage(QString("Cannot find \"%1\"").arg(request.text), 3000);
    }
}

void CMainFrame::onGoTo() {
    if (_delegate) _delegate->goToLine();
}

void CMainFrame::onNextPane() {
    if (_editView->hasFocus()) {
        _treeView->setFocus(Qt::TabFocusReason);
    } else {
        _editView->setFocus(Qt::TabFocusReason);
    }
}

void CMainFrame::onCancelDecompiling() {
    if (_delegate) _delegate->cancelDecompiling();
}

void CMainFrame::onViewStatusBar() {
    statusBar()->setVisible(action(command::VIEW_STATUS_BAR)->isChecked());
    onUpdateLineIndicator();
}

// --- Help -------------------------------------------------------------------

void CMainFrame::onAppAbout() {
    CAboutDialog dialog(this);
    runModal(dialog);
}

void CMainFrame::onHomePage() {
    if (_delegate) _delegate->navigateTo(_delegate->homepageUrl());
}

void CMainFrame::onOrderPage() {
    if (_delegate) _delegate->navigateTo(_delegate->orderUrl());
}

void CMainFrame::onImproveCode() {
    if (_delegate) _delegate->navigateTo(_delegate->improveCodeUrl());
}

}
}
}
