#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "gui/NavigationHistory.h"
#include "gui/SourceExport.h"
#include "gui/SourceSearch.h"

class QAction;
class QProgressDialog;

namespace products {
namespace zefra {
namespace gui {

class ArchiveSearchDialog;
class BackgroundJob;
class CMainFrame;
struct Destination;

// The archive's tools in the main window: go to declaration with back and
// forward, search in every class, Save All Sources. The whole archive is
// decompiled once, in the background, into the archive's private folder and
// kept for the session; search and Save All read that text.
class ArchiveTools : public QObject {
    Q_OBJECT
public:
    // At most this many hits are listed.
    static constexpr int MAX_HITS = 10000;

    explicit ArchiveTools(CMainFrame& frame);
    ~ArchiveTools() override;

    QAction* goToDeclarationAction() const { return _goToDeclaration; }
    QAction* backAction() const { return _back; }
    QAction* forwardAction() const { return _forward; }
    QAction* searchAction() const { return _search; }
    QAction* saveAllAction() const { return _saveAll; }
    ArchiveSearchDialog* searchDialog() const { return _searchDialog; }
    BackgroundJob& task() const { return *_task; }
    const NavigationHistory& history() const { return _history; }

    // The name at a position of the editor's text (the text cursor's for F12).
    void goToDeclarationAt(int position);
    void goBack();
    void goForward();
    void search(const SearchQuery& query);
    // Starts Save All Sources into a folder or a .zip; false when it cannot start.
    bool saveAllSources(const QString& destination);
    // The report of the last Save All Sources.
    const QString& lastReport() const { return _lastReport; }

    // The frame calls this when a class's text and tree are in place.
    void onClassShown();
    // The archive goes: its work ends first, and its text with it.
    void onArchiveClosing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pending;

    void createActions();
    void addToMenus();
    void updateActions();
    Place currentPlace() const;
    void goTo(const Place& place);
    void follow(const Destination& destination);
    void openClass(const QString& className, const QString& member, int line, const QString& lineText);
    void chooseDeferredClass();
    void selectLineNear(int line, const QString& lineText);
    void selectMember(const QString& member);
    void onPaneChoice(const QString& qualifiedName);
    void onHitChosen(const QString& className, int line, const QString& text);
    void showSearch();
    void askSaveAllDestination();
    bool startWork(const QString& what);
    void onWorkFinished(bool cancelled);
    std::shared_ptr<const SourceSet> cachedSources() const;
    void keepSources(std::shared_ptr<const SourceSet> sources, int generation);
    using SourceMaker = std::function<std::shared_ptr<const SourceSet>(const ProgressReport&,
                                                                       const decompiler::engine::RunCancel&)>;
    SourceMaker sourceMaker();
    void postFailure(const QString& message, int generation);
    void showSaveReport();
    void status(const QString& text);

    CMainFrame& _frame;
    QAction* _goToDeclaration = nullptr;
    QAction* _back = nullptr;
    QAction* _forward = nullptr;
    QAction* _search = nullptr;
    QAction* _saveAll = nullptr;
    ArchiveSearchDialog* _searchDialog = nullptr;
    QProgressDialog* _saveProgress = nullptr;
    BackgroundJob* _task = nullptr;
    NavigationHistory _history;
    std::unique_ptr<Pending> _pending;
    bool _navigating = false;
    // True while a class is chosen in the pane for a place waited for.
    bool _choosing = false;
    // The text of the whole archive, classic and modern, once made.
    std::shared_ptr<const SourceSet> _sources[2];
    int _generation = 0;
    int _builds = 0;
    QString _work;
    QString _workFailure;
    std::shared_ptr<ExportReport> _saveReport;
    QString _saveDestination;
    QString _lastReport;
};

}
}
}
