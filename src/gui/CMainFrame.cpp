#include "gui/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "archive/ArchiveSession.h"
#include "exceptions/Exception.h"
#include "gui/CLeftView.h"
#include "gui/CZefraDoc.h"
#include "gui/CZefraView.h"
#include "gui/CommandIds.h"
#include "gui/Delegate.h"
#include "gui/Icons.h"
#include "gui/LockKeys.h"
#include "gui/ModalRunner.h"
#include "gui/RecentFileList.h"
#include "gui/WindowSettings.h"
#include "platform/messagebox/MessageBoxReporter.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

constexpr int TREE_PANE_WIDTH = 200;
constexpr int EDIT_PANE_WIDTH = 100;
constexpr int LOCK_PANE_INTERVAL_MS = 250;
constexpr int STATUS_MESSAGE_MS = 5000;
const char* const LINE_COUNT_PANE_WIDTH_TEXT = "ID_INDICATOR_LINECOUNTID_INDICATOR_LINECOUNT";

// The status pane as the mediator fills it.
class LabelPane : public PaneUpdate {
public:
    explicit LabelPane(QLabel& label) : _label(label) {}
    void setText(const std::string& text) override {
        _label.setText(QString::fromStdString(text));
    }

private:
    QLabel& _label;
};

}

CMainFrame::CMainFrame(CZefraDoc& document, RecentFileList& recentFiles,
                       ShellServices& services)
    : _document(document), _recentFiles(recentFiles), _printer(std::make_unique<QPrinter>()) {
    platform::MessageBoxReporter reporter(APPLICATION_TITLE);
    try {
        _delegate = std::make_unique<Delegate>(APPLICATION_TITLE, services);
        Delegate::setInstance(_delegate.get());
    } catch (const exceptions::Exception& e) {
        reporter.reportError("Error initializing Zefra. " + e.getMessage());
    }
    _document.setDialogParent(this);
    connect(&_document, &CZefraDoc::titleChanged, this, &CMainFrame::updateTitle);
    updateTitle();
}

CMainFrame::~CMainFrame() {
    _delegate.reset();
    Delegate::setInstance(nullptr);
}

bool CMainFrame::createWindow() {
    createActions();
    createMenus();
    if (!createToolBar() || !createStatusBar()) return false;
    if (_delegate) _delegate->registerMainFrame(this);
    return createClient();
}

bool CMainFrame::createToolBar() {
    _toolBar = addToolBar("Standard");
    _toolBar->setObjectName("toolBar");
    _toolBar->setProperty("windowId", window::TOOLBAR);
    _toolBar->setIconSize(QSize(16, 15));
    _toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    _toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int buttons[] = {command::FILE_NEW,  command::FILE_OPEN, command::FILE_SAVE, 0,
                           command::EDIT_CUT,  command::EDIT_COPY, command::EDIT_PASTE, 0,
                           command::FILE_PRINT, 0,                 command::APP_ABOUT};
    for (int id : buttons) {
        if (id == 0) {
            _toolBar->addSeparator();
        } else {
            QAction* button = action(id);
            button->setIcon(toolbarIcon(id));
            button->setIconText(button->toolTip());
            _toolBar->addAction(button);
        }
    }
    connect(_toolBar, &QToolBar::visibilityChanged, action(command::VIEW_TOOLBAR),
            &QAction::setChecked);
    return true;
}

bool CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setProperty("windowId", window::STATUS_BAR);
    auto* ready = new QLabel("Ready", bar);
    bar->addWidget(ready, 1);
    _panes[0] = ready;
    for (int id : {pane::LINE_COUNT, pane::CAPS, pane::NUM, pane::SCROLL}) {
        auto* label = new QLabel(bar);
        label->setProperty("paneId", id);
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
        _panes[id] = label;
    }
    // Offered while the engine runs.
    _cancelButton = new QPushButton("Cancel", bar);
    _cancelButton->setFlat(true);
    _cancelButton->setToolTip("Cancel the decompilation (Esc)");
    _cancelButton->setVisible(false);
    connect(_cancelButton, &QPushButton::clicked, action(command::CANCEL_DECOMPILING), &QAction::trigger);
    bar->addPermanentWidget(_cancelButton);
    QLabel* lineCount = _panes[pane::LINE_COUNT];
    lineCount->setMinimumWidth(
        lineCount->fontMetrics().horizontalAdvance(LINE_COUNT_PANE_WIDTH_TEXT));
    for (int id : {pane::CAPS, pane::NUM, pane::SCROLL}) {
        _panes[id]->setMinimumWidth(_panes[id]->fontMetrics().horizontalAdvance("SCRL") + 8);
    }
    // The lock keys change outside the program; their panes follow at idle pace.
    auto* lockTimer = new QTimer(this);
    connect(lockTimer, &QTimer::timeout, this, &CMainFrame::updateLockPanes);
    lockTimer->start(LOCK_PANE_INTERVAL_MS);
    updateLockPanes();
    return true;
}

bool CMainFrame::createClient() {
    _splitter = new QSplitter(Qt::Horizontal, this);
    _splitter->setProperty("windowId", window::SPLITTER);
    _splitter->setChildrenCollapsible(false);
    _treeView = new CLeftView(_splitter);
    _editView = new CZefraView(_splitter);
    _splitter->addWidget(_treeView);
    _splitter->addWidget(_editView);
    _splitter->setStretchFactor(1, 1);
    _splitter->setSizes({TREE_PANE_WIDTH, EDIT_PANE_WIDTH});
    setCentralWidget(_splitter);
    if (auto* view = menuBar()->findChild<QMenu*>("viewMenu")) {
        view->addSeparator();
        view->addActions(_editView->zoomActions());
    }

    connect(_editView, &CZefraView::cursorPositionChanged, this,
            &CMainFrame::onUpdateLineIndicator);
    connect(_editView, &CZefraView::selectionChanged, this, &CMainFrame::onUpdateLineIndicator);
    connect(_editView, &CZefraView::textReplaced, this, [this] {
        _document.setModified(false);
        onUpdateLineIndicator();
    });
    connect(_editView, &CZefraView::filesDropped, this, &CMainFrame::openDroppedFiles);
    connect(_editView, &CZefraView::edited, this, [this] { _document.setModified(true); });
    connect(_editView, &CZefraView::textReplaced, this, &CMainFrame::onTextReplaced);
    createArchiveDock();
    connect(_editView, &CZefraView::undoAvailable, action(command::EDIT_UNDO),
            &QAction::setEnabled);
    for (int id : {command::EDIT_CUT, command::EDIT_COPY}) {
        action(id)->setEnabled(false);
        connect(_editView, &CZefraView::copyAvailable, action(id), &QAction::setEnabled);
    }
    return true;
}

void CMainFrame::initialUpdateViews() {
    if (!_delegate) return;
    _treeView->initialUpdate();
    _editView->initialUpdate();
    onUpdateLineIndicator();
}

void CMainFrame::restoreWindowState() {
    const settings::WindowState state = settings::loadWindowState();
    if (!state.geometry.isEmpty()) restoreGeometry(state.geometry);
    if (!state.dockState.isEmpty()) restoreState(state.dockState);
    showArchiveDockIfOpen();
    if (!state.splitter.isEmpty() && _splitter) _splitter->restoreState(state.splitter);
    action(command::VIEW_TOOLBAR)->setChecked(!_toolBar->isHidden());
    action(command::VIEW_STATUS_BAR)->setChecked(state.statusBarVisible);
    statusBar()->setVisible(state.statusBarVisible);
}

void CMainFrame::saveWindowState() const {
    settings::WindowState state;
    state.geometry = saveGeometry();
    state.dockState = saveState();
    if (_splitter) state.splitter = _splitter->saveState();
    state.statusBarVisible = !statusBar()->isHidden();
    settings::saveWindowState(state);
}

QAction* CMainFrame::action(int commandId) const {
    const auto found = _actions.find(commandId);
    return found == _actions.end() ? nullptr : found->second;
}

QLabel* CMainFrame::statusPane(int paneId) const {
    const auto found = _panes.find(paneId);
    return found == _panes.end() ? nullptr : found->second;
}

void CMainFrame::updateLockPanes() {
    LockKeyStates states;
    if (!queryLockKeys(states)) return;
    _panes[pane::CAPS]->setText(states.caps ? "CAP" : "");
    _panes[pane::NUM]->setText(states.num ? "NUM" : "");
    _panes[pane::SCROLL]->setText(states.scroll ? "SCRL" : "");
}

void CMainFrame::updateTitle() {
    setWindowTitle(_document.title() + " - " + WINDOW_TITLE);
}

void CMainFrame::onUpdateLineIndicator() {
    QLabel* pane = statusPane(pane::LINE_COUNT);
    if (!_delegate || !_editView || !pane || statusBar()->isHidden()) return;
    LabelPane update(*pane);
    _delegate->updateLineIndicator(update);
}

// --- opening ----------------------------------------------------------------

void CMainFrame::openDocumentFile(const QString& path) {
    if (refuseWhileDecompiling()) return;
    if (archive::isArchivePath(path.toStdString())) {
        openArchive(path);
        return;
    }
    if (!_document.saveModified()) return;
    _document.onOpenDocument(path);
}

void CMainFrame::acceptDroppedFiles() { setAcceptDrops(true); }

// A drop replaces the document as File Open does, so it asks the same question.
void CMainFrame::openDroppedFiles(const QStringList& paths) {
    if (paths.isEmpty() || !_delegate) return;
    if (refuseWhileDecompiling()) return;
    // The path arrives in a buffer of 1024 characters, terminating zero included.
    const std::string path = paths.constFirst().toStdString().substr(0, MAX_DROPPED_PATH);
    if (archive::isArchivePath(path)) {
        openArchive(QString::fromStdString(path));
        return;
    }
    if (!_document.saveModified()) return;
    _delegate->openDocument(path);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    openDroppedFiles(paths);
}

bool CMainFrame::refuseWhileDecompiling() {
    if (!_delegate || !_delegate->isDecompiling()) return false;
    showStatusMessage("A class file is being decompiled. Press Esc to cancel it.");
    return true;
}

// The window stays responsive while the engine runs; only what would start
// another run or change the text waits for its end.
void CMainFrame::showDecompiling(const std::string& statusText) {
    const bool busy = !statusText.empty();
    if (busy) {
        setCursor(Qt::BusyCursor);
        statusBar()->showMessage(QString::fromStdString(statusText));
    } else {
        unsetCursor();
        statusBar()->clearMessage();
    }
    action(command::CANCEL_DECOMPILING)->setEnabled(busy);
    if (_cancelButton) _cancelButton->setVisible(busy);
    for (int id : {command::FILE_NEW, command::FILE_OPEN}) action(id)->setEnabled(!busy);
    if (_editView) _editView->setReadOnly(busy);
    if (!busy) emit decompilingEnded();
}

void CMainFrame::showStatusMessage(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text), STATUS_MESSAGE_MS);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!_document.saveModified()) {
        event->ignore();
        return;
    }
    if (_findDialog) _findDialog->close();
    saveWindowState();
    event->accept();
}

}
}
}
