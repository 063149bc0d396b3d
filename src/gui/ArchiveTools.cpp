#include "gui/ArchiveTools.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QTextBlock>
#include <QTreeWidgetItemIterator>

#include "archive/ClassArchive.h"
#include "decompiler/engine/EngineRunCancelledException.h"
#include "gui/ArchiveBrowser.h"
#include "gui/ArchivePane.h"
#include "gui/ArchiveSearchDialog.h"
#include "gui/BackgroundJob.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CZefraView.h"
#include "gui/CommandIds.h"
#include "gui/DeclarationResolver.h"
#include "gui/Delegate.h"
#include "gui/ModalRunner.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

const char* const SEARCH_WORK = "search";
const char* const SAVE_WORK = "save";
// How far from its line a search hit's text is looked for, when the class's
// text as shown differs a little from the archive's.
constexpr int HIT_SEARCH_RADIUS = 200;
constexpr int STATUS_MS = 5000;
constexpr int MODAL_RECHECK_MS = 100;

QString utf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}

struct ArchiveTools::Pending {
    QString className;
    QString member;
    int line = -1;
    QString lineText;
    // Not chosen yet: another class was being decompiled.
    bool deferred = false;
    // Going back or forward: the history has stepped already.
    bool navigating = false;
};

ArchiveTools::ArchiveTools(CMainFrame& frame) : QObject(&frame), _frame(frame), _task(new BackgroundJob(this)) {
    createActions();
    addToMenus();
    _frame.editView()->viewport()->installEventFilter(this);
    connect(_frame.archiveBrowser(), &ArchiveBrowser::classAboutToOpen, this, &ArchiveTools::onPaneChoice);
    connect(_frame.archiveBrowser(), &ArchiveBrowser::closing, this, &ArchiveTools::onArchiveClosing);
    connect(_task, &BackgroundJob::finished, this, &ArchiveTools::onWorkFinished);
    // After the run's own results are handled: the choice it held back comes next.
    connect(&_frame, &CMainFrame::decompilingEnded, this, &ArchiveTools::chooseDeferredClass, Qt::QueuedConnection);
    connect(_task, &BackgroundJob::progress, this, [this](int done, int total, const QString& phase) {
        if (_work == SEARCH_WORK && _searchDialog) _searchDialog->showProgress(done, total, phase);
        if (_work == SAVE_WORK && _saveProgress) {
            _saveProgress->setMaximum(total);
            _saveProgress->setValue(done);
            _saveProgress->setLabelText(QString("%1: %2 of %3 classes").arg(phase).arg(done).arg(total));
        }
    });
    updateActions();
}

ArchiveTools::~ArchiveTools() { _task->stop(); }

// --- actions -----------------------------------------------------------------

void ArchiveTools::createActions() {
    auto make = [this](const QString& text, const QString& tip, const QKeySequence& key, void (ArchiveTools::*slot)()) {
        auto* action = new QAction(text, &_frame);
        action->setStatusTip(tip);
        action->setShortcut(key);
        if (slot) connect(action, &QAction::triggered, this, slot);
        _frame.addAction(action);  // keys work with the menus hidden
        return action;
    };
    _goToDeclaration = make("Go to &Declaration\tF12", "Open the declaration of the name at the cursor",
                            QKeySequence(Qt::Key_F12), nullptr);
    connect(_goToDeclaration, &QAction::triggered, this,
            [this] { goToDeclarationAt(_frame.editView()->textCursor().position()); });
    _back = make("&Back\tAlt+Left", "Go back to the place before", QKeySequence(Qt::ALT | Qt::Key_Left),
                 &ArchiveTools::goBack);
    _forward = make("For&ward\tAlt+Right", "Go forward again", QKeySequence(Qt::ALT | Qt::Key_Right),
                    &ArchiveTools::goForward);
    _search = make("Search in &Archive...\tCtrl+Shift+F", "Find text in every class of the archive",
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &ArchiveTools::showSearch);
    _saveAll = make("Save A&ll Sources...", "Save the Java text of every class of the archive",
                    QKeySequence(), &ArchiveTools::askSaveAllDestination);
}

void ArchiveTools::addToMenus() {
    if (QMenu* file = _frame.menuBar()->findChild<QMenu*>("fileMenu")) {
        const QList<QAction*> entries = file->actions();
        const int saveAs = static_cast<int>(entries.indexOf(_frame.action(command::FILE_SAVE_AS)));
        file->insertAction(saveAs >= 0 && saveAs + 1 < entries.size() ? entries[saveAs + 1] : nullptr, _saveAll);
    }
    if (QMenu* edit = _frame.menuBar()->findChild<QMenu*>("editMenu")) {
        edit->addSeparator();
        for (QAction* action : {_search, _goToDeclaration, _back, _forward}) edit->addAction(action);
    }
}

void ArchiveTools::updateActions() {
    _back->setEnabled(_history.canGoBack());
    _forward->setEnabled(_history.canGoForward());
}

void ArchiveTools::status(const QString& text) { _frame.showStatusMessage(text.toStdString()); }

// --- navigation --------------------------------------------------------------

// The class the text shows, named by the class file it was decompiled from:
// the document's own path is the proposed Java name, and the browser's
// current class may be one still being decompiled.
Place ArchiveTools::currentPlace() const {
    Place place;
    const QString classFile = _frame.editView()->document()->isEmpty() ? QString() : _frame.document().classFilePath();
    const QString archived = _frame.archiveBrowser()->classAt(classFile);
    place.className = (archived.isEmpty() ? classFile : archived).toStdString();
    place.line = _frame.editView()->textCursor().blockNumber();
    return place;
}

bool ArchiveTools::eventFilter(QObject* watched, QEvent* event) {
    if (watched == _frame.editView()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier)) {
            // The click places the cursor first, so Back returns to where the user clicked.
            CZefraView* editor = _frame.editView();
            const QTextCursor clicked = editor->cursorForPosition(mouse->position().toPoint());
            editor->setTextCursor(clicked);
            goToDeclarationAt(clicked.position());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace {

std::vector<Declaration> declarationsOf(QTreeWidget& tree) {
    std::vector<Declaration> declarations;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        const bool isClass = (*it)->parent() == nullptr || (*it)->childCount() > 0;
        const int line = (*it)->data(0, CLeftView::LINE_ROLE).toInt();
        for (const std::string& name : namesOfEntry((*it)->text(0).toStdString())) {
            declarations.push_back({name, line, isClass});
        }
    }
    return declarations;
}

}

void ArchiveTools::goToDeclarationAt(int position) {
    CZefraView* editor = _frame.editView();
    const QTextBlock block = editor->document()->findBlock(position);
    if (!block.isValid()) return;
    const int column = static_cast<int>(block.text().left(position - block.position()).toUtf8().size());
    const NameAtCursor name = nameAt(block.text().toStdString(), column);
    if (name.word.empty()) {
        status("There is no name at the cursor.");
        return;
    }
    const archive::ClassArchive* archive = _frame.archiveBrowser()->archive();
    DeclarationResolver resolver(readJavaContext(editor->toPlainText().toStdString()), declarationsOf(*_frame.treeView()),
                                 [archive](const std::string& qualified) {
                                     return archive && archive->find(qualified) != nullptr;
                                 });
    const Destination destination = resolver.resolve(name);
    if (destination.kind == Destination::Nowhere) {
        status("No declaration of " + utf8(name.word) + " was found in this class or archive.");
        return;
    }
    follow(destination);
}

void ArchiveTools::follow(const Destination& destination) {
    const Place here = currentPlace();
    if (destination.kind == Destination::LineHere) {
        _history.leave(here);
        _frame.delegate()->selectLine(destination.line);
    } else if (utf8(destination.className) == utf8(here.className)) {
        _history.leave(here);
        if (destination.member.empty()) {
            QTreeWidgetItem* top = _frame.treeView()->topLevelItem(0);
            if (top) _frame.delegate()->selectLine(top->data(0, CLeftView::LINE_ROLE).toInt());
        } else {
            selectMember(utf8(destination.member));
        }
    } else {
        // The pane's choice records where the user left from.
        openClass(utf8(destination.className), utf8(destination.member), -1, QString());
    }
    updateActions();
}

void ArchiveTools::goBack() {
    if (!_history.canGoBack()) return;
    goTo(_history.back(currentPlace()));
    updateActions();
}

void ArchiveTools::goForward() {
    if (!_history.canGoForward()) return;
    goTo(_history.forward(currentPlace()));
    updateActions();
}

void ArchiveTools::goTo(const Place& place) {
    const QString className = utf8(place.className);
    if (place.className == currentPlace().className) {
        _frame.delegate()->selectLine(place.line);
        return;
    }
    const archive::ClassArchive* archive = _frame.archiveBrowser()->archive();
    _navigating = true;
    if (archive && archive->find(place.className)) {
        openClass(className, QString(), place.line, QString());
    } else if (QFileInfo(className).isFile()) {
        _pending = std::make_unique<Pending>(Pending{className, QString(), place.line, QString()});
        _frame.openDocumentFile(className);
    } else {
        status("The place " + className + " is no longer there.");
    }
    _navigating = false;
}

void ArchiveTools::openClass(const QString& className, const QString& member, int line, const QString& lineText) {
    _pending = std::make_unique<Pending>(Pending{className, member, line, lineText, false, _navigating});
    // One run at a time: a class asked for meanwhile is chosen when the run ends.
    if (_frame.delegate() && _frame.delegate()->isDecompiling()) {
        _pending->deferred = true;
        status(className + " opens once the class being decompiled is shown.");
        return;
    }
    _choosing = true;
    const bool chosen = _frame.archivePane()->chooseClass(className);
    _choosing = false;
    if (!chosen) {
        _pending.reset();
        status("The archive holds no class " + className + ".");
    }
}

void ArchiveTools::chooseDeferredClass() {
    if (!_pending || !_pending->deferred) return;
    // A failed run's message may still be up: its run is not done with the document.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(MODAL_RECHECK_MS, this, &ArchiveTools::chooseDeferredClass);
        return;
    }
    const Pending deferred = *_pending;
    _navigating = deferred.navigating;
    openClass(deferred.className, deferred.member, deferred.line, deferred.lineText);
    _navigating = false;
}

// The pane's own choices are places left too; those made here for going back
// and forward are not. A choice of the user's own drops any place waited for.
void ArchiveTools::onPaneChoice(const QString& qualifiedName) {
    if (!_choosing) _pending.reset();
    if (_navigating) return;
    const Place here = currentPlace();
    if (!here.className.empty() && here.className != qualifiedName.toStdString()) _history.leave(here);
    updateActions();
}

// A class shown may still be the one before the class waited for (its text
// came while the next was being opened): the wait goes on until that one shows.
void ArchiveTools::onClassShown() {
    updateActions();
    if (!_pending || utf8(currentPlace().className) != _pending->className) return;
    const Pending pending = *_pending;
    _pending.reset();
    if (!pending.member.isEmpty()) selectMember(pending.member);
    else if (pending.line >= 0) selectLineNear(pending.line, pending.lineText);
}

void ArchiveTools::selectMember(const QString& member) {
    for (const Declaration& declaration : declarationsOf(*_frame.treeView())) {
        if (utf8(declaration.name) == member) {
            _frame.delegate()->selectLine(declaration.line);
            return;
        }
    }
    status("No declaration of " + member + " was found in this class.");
}

void ArchiveTools::selectLineNear(int line, const QString& lineText) {
    QTextDocument* text = _frame.editView()->document();
    int found = std::min(line, text->blockCount() - 1);
    if (!lineText.isEmpty()) {
        for (int distance = 0; distance <= HIT_SEARCH_RADIUS; ++distance) {
            const QTextBlock below = text->findBlockByNumber(line + distance);
            const QTextBlock above = text->findBlockByNumber(line - distance);
            if (below.isValid() && below.text() == lineText) { found = below.blockNumber(); break; }
            if (above.isValid() && above.text() == lineText) { found = above.blockNumber(); break; }
        }
    }
    if (found >= 0) _frame.delegate()->selectLine(found);
}

// --- the archive's text ------------------------------------------------------

std::shared_ptr<const SourceSet> ArchiveTools::cachedSources() const {
    return _sources[_frame.action(command::VIEW_MODERN_JAVA)->isChecked() ? 1 : 0];
}

void ArchiveTools::keepSources(std::shared_ptr<const SourceSet> sources, int generation) {
    if (generation != _generation || !sources) return;
    _sources[sources->modern ? 1 : 0] = std::move(sources);
}

// What the work calls for the archive's text: the kept one, or one made now
// (and then kept), with the options of the one-class view.
ArchiveTools::SourceMaker ArchiveTools::sourceMaker() {
    std::shared_ptr<const SourceSet> kept = cachedSources();
    const archive::ClassArchive* archive = _frame.archiveBrowser()->archive();
    const bool modern = _frame.action(command::VIEW_MODERN_JAVA)->isChecked();
    const std::string path = archive->path();
    const std::vector<archive::ArchivedClass> classes = archive->topLevelClasses();
    const std::string folder = _frame.archiveBrowser()->folder().toStdString() + "/sources-" +
                               (modern ? "modern-" : "classic-") + std::to_string(++_builds);
    const int generation = _generation;
    return [this, kept, modern, path, classes, folder, generation](const ProgressReport& progress,
                                                                    const decompiler::engine::RunCancel& cancel) {
        if (kept) return kept;
        decompiler::engine::RunOptions options;
        options.modern = modern;
        options.cancel = &cancel;
        auto made = std::make_shared<const SourceSet>(decompileArchive(path, classes, folder, options, progress));
        QMetaObject::invokeMethod(this, [this, made, generation] { keepSources(made, generation); },
                                  Qt::QueuedConnection);
        return std::shared_ptr<const SourceSet>(made);
    };
}

void ArchiveTools::postFailure(const QString& message, int generation) {
    QMetaObject::invokeMethod(this, [this, message, generation] {
        if (generation == _generation) _workFailure = message;
    }, Qt::QueuedConnection);
}

bool ArchiveTools::startWork(const QString& what) {
    if (!_frame.archiveBrowser()->isOpen()) {
        status("Open a .jar or .zip archive first.");
        return false;
    }
    if (_task->isRunning()) {
        status(_work == SEARCH_WORK ? "A search in the archive is still running." : "Save All Sources is still running.");
        return false;
    }
    _work = what;
    _workFailure.clear();
    _saveReport.reset();
    return true;
}

// --- search ------------------------------------------------------------------

void ArchiveTools::showSearch() {
    if (!_searchDialog) {
        _searchDialog = new ArchiveSearchDialog(&_frame);
        connect(_searchDialog, &ArchiveSearchDialog::searchRequested, this, &ArchiveTools::search);
        connect(_searchDialog, &ArchiveSearchDialog::cancelRequested, _task, &BackgroundJob::cancel);
        connect(_searchDialog, &ArchiveSearchDialog::hitChosen, this, &ArchiveTools::onHitChosen);
    }
    // The word at the cursor is the likeliest thing to look for.
    const QString selected = _frame.editView()->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) _searchDialog->queryBox()->setText(selected);
    _searchDialog->show();
    _searchDialog->raise();
    _searchDialog->activateWindow();
    _searchDialog->queryBox()->setFocus();
    _searchDialog->queryBox()->selectAll();
}

void ArchiveTools::search(const SearchQuery& query) {
    if (!_searchDialog) showSearch();
    if (_searchDialog->queryBox()->text() != query.text) _searchDialog->queryBox()->setText(query.text);
    const LineMatcher matcher(query);
    if (!matcher.error().isEmpty()) {
        _searchDialog->showEnd(matcher.error());
        return;
    }
    if (!startWork(SEARCH_WORK)) {
        if (!_frame.archiveBrowser()->isOpen()) _searchDialog->showEnd("Open a .jar or .zip archive first.");
        return;
    }
    _searchDialog->startShowing();
    const SourceMaker make = sourceMaker();
    const int generation = _generation;
    _task->start([this, make, matcher, generation](BackgroundJob::Context& context) {
        try {
            const auto sources =
                make([&context](int done, int total) { context.report(done, total, "Decompiling"); },
                     context.cancelFlag());
            auto deliver = [this, generation](std::vector<SearchHit>&& hits) {
                auto shared = std::make_shared<std::vector<SearchHit>>(std::move(hits));
                QMetaObject::invokeMethod(this, [this, shared, generation] {
                    if (generation == _generation && _searchDialog) _searchDialog->addHits(*shared);
                }, Qt::QueuedConnection);
            };
            searchSources(*sources, matcher, context.cancelFlag(), MAX_HITS, deliver,
                          [&context](int done, int total) { context.report(done, total, "Searching"); });
        } catch (const decompiler::engine::EngineRunCancelledException&) {
        } catch (const exceptions::Exception& e) {
            postFailure(utf8(e.getMessage()), generation);
        }
    });
    return;
}

void ArchiveTools::onHitChosen(const QString& className, int line, const QString& text) {
    if (utf8(currentPlace().className) == className) {
        _history.leave(currentPlace());
        selectLineNear(line, text);
        updateActions();
        return;
    }
    openClass(className, QString(), line, text);
}

// --- Save All Sources --------------------------------------------------------

void ArchiveTools::askSaveAllDestination() {
    if (!_frame.archiveBrowser()->isOpen()) return;
    QFileDialog dialog(&_frame, "Save All Sources");
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({"Folder, one folder a package (*)", "Zip archive (*.zip)"});
    dialog.selectFile(QFileInfo(_frame.archiveBrowser()->archivePath()).completeBaseName() + "-sources");
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString chosen = dialog.selectedFiles().constFirst();
    if (dialog.selectedNameFilter().contains("*.zip") && !isZipDestination(chosen.toStdString())) chosen += ".zip";
    saveAllSources(chosen);
}

bool ArchiveTools::saveAllSources(const QString& destination) {
    if (!startWork(SAVE_WORK)) return false;
    _saveDestination = destination;
    _saveProgress = new QProgressDialog("Saving all sources\u2026", "Cancel", 0, 0, &_frame);
    _saveProgress->setWindowTitle("Save All Sources");
    _saveProgress->setWindowModality(Qt::NonModal);
    _saveProgress->setAutoReset(false);
    _saveProgress->setAutoClose(false);
    _saveProgress->setMinimumDuration(0);
    connect(_saveProgress, &QProgressDialog::canceled, _task, &BackgroundJob::cancel);
    _saveProgress->show();
    const SourceMaker make = sourceMaker();
    const int generation = _generation;
    const std::string target = destination.toStdString();
    _task->start([this, make, target, generation](BackgroundJob::Context& context) {
        try {
            const auto sources =
                make([&context](int done, int total) { context.report(done, total, "Decompiling"); },
                     context.cancelFlag());
            auto report = std::make_shared<ExportReport>(exportSources(
                *sources, target, context.cancelFlag(),
                [&context](int done, int total) { context.report(done, total, "Saving"); }));
            QMetaObject::invokeMethod(this, [this, report, generation] {
                if (generation == _generation) _saveReport = report;
            }, Qt::QueuedConnection);
        } catch (const decompiler::engine::EngineRunCancelledException&) {
        } catch (const exceptions::Exception& e) {
            postFailure(utf8(e.getMessage()), generation);
        }
    });
    return true;
}

void ArchiveTools::showSaveReport() {
    const ExportReport& report = *_saveReport;
    _lastReport = utf8(reportText(report, _saveDestination.toStdString()));
    QString summary = QString("%1 of %2 classes saved to %3.")
                          .arg(report.written)
                          .arg(report.written + static_cast<int>(report.failed.size()))
                          .arg(_saveDestination);
    if (report.cancelled) summary = "Save All Sources was cancelled. " + summary;
    if (!report.failed.empty()) summary += QString(" %1 could not be decompiled.").arg(report.failed.size());
    if (!report.fallbacks.empty()) {
        summary += QString(" %1 %2 the engine's listing in place of the code.")
                       .arg(report.fallbacks.size())
                       .arg(report.fallbacks.size() == 1 ? "method holds" : "methods hold");
    }
    const bool clean = report.failed.empty() && report.fallbacks.empty() && !report.cancelled;
    QMessageBox box(clean ? QMessageBox::Information : QMessageBox::Warning, CMainFrame::WINDOW_TITLE, summary,
                    QMessageBox::Ok, &_frame);
    if (!clean || !report.messages.empty()) box.setDetailedText(_lastReport);
    runModal(box);
}

void ArchiveTools::onWorkFinished(bool cancelled) {
    const QString work = _work;
    _work.clear();
    if (work == SEARCH_WORK && _searchDialog) {
        const int hits = _searchDialog->results()->topLevelItemCount();
        QString end = QString("%1 %2").arg(hits).arg(hits == 1 ? "hit" : "hits");
        if (hits >= MAX_HITS) end += QString(" (only the first %1 are listed)").arg(MAX_HITS);
        if (cancelled) end = "Cancelled: " + end;
        if (!_workFailure.isEmpty()) end = _workFailure;
        _searchDialog->showEnd(end);
    }
    if (work == SAVE_WORK) {
        if (_saveProgress) _saveProgress->deleteLater();
        _saveProgress = nullptr;
        if (!_workFailure.isEmpty()) {
            _lastReport = _workFailure;
            QMessageBox box(QMessageBox::Critical, CMainFrame::WINDOW_TITLE,
                            "Save All Sources failed: " + _workFailure, QMessageBox::Ok, &_frame);
            runModal(box);
        } else if (_saveReport) {
            showSaveReport();
        } else if (cancelled) {
            _lastReport = "Save All Sources was cancelled.";
            status(_lastReport);
        }
    }
    _saveReport.reset();
}

void ArchiveTools::onArchiveClosing() {
    _task->stop();
    ++_generation;
    _sources[0].reset();
    _sources[1].reset();
    _history.clear();
    _pending.reset();
    if (_saveProgress) _saveProgress->deleteLater();
    _saveProgress = nullptr;
    if (_searchDialog && !_work.isEmpty()) _searchDialog->showEnd("The archive was closed.");
    if (_searchDialog) _searchDialog->results()->clear();
    _work.clear();
    // The browser may be going with the window: nothing of it is asked here.
    _back->setEnabled(false);
    _forward->setEnabled(false);
}

}
}
}
