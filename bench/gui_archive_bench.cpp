// The viewer's archive road with the real engine: start to the window shown
// with its package tree, one chosen class to its text and structure tree, and
// a search over the whole archive to its first hit and its end.
//   zefra_gui_archive_bench <archive> [qualified class name [search text]]
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "gui/ApplicationShell.h"
#include "gui/ArchivePane.h"
#include "gui/ArchiveSearchDialog.h"
#include "gui/ArchiveTools.h"
#include "gui/BackgroundJob.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraView.h"

using namespace products::zefra::gui;

namespace {

// Runs the event loop until the condition holds or the time is up.
bool waitFor(QApplication& app, const std::function<bool()>& done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        app.processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

long long ms(const QElapsedTimer& timer) { return static_cast<long long>(timer.elapsed()); }

void searchOnce(QApplication& app, ArchiveTools& tools, const QString& text, const char* label) {
    QElapsedTimer timer;
    timer.start();
    tools.search({text, false, true});
    ArchiveSearchDialog* dialog = tools.searchDialog();
    QTreeWidget* results = dialog->results();
    waitFor(app, [results] { return results->topLevelItemCount() > 0 || !results->isVisible(); }, 60000);
    const long long first = ms(timer);
    waitFor(app, [&tools, dialog] { return !tools.task().isRunning() && dialog->searchButton()->isEnabled(); },
            120000);
    std::printf("%s search for %s: first hit %lld ms, end %lld ms, %d hits (%s)\n", label, qPrintable(text), first,
                ms(timer), results->topLevelItemCount(), qPrintable(dialog->statusLabel()->text()));
}

}

int main(int argc, char** argv) {
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <archive> [class [search text]]\n", argv[0]);
        return 2;
    }
    ApplicationShell shell;
    if (!shell.start({"zefra", QString::fromLocal8Bit(argv[1])})) return 1;
    CMainFrame* frame = shell.mainFrame();
    ArchivePane* pane = frame->archivePane();
    waitFor(app, [frame] { return frame->windowHandle() && frame->windowHandle()->isExposed(); }, 10000);
    const long long shown = ms(timer);
    const int classesWhenShown = pane->visibleClassCount();
    const bool paneWhenShown = pane->isVisible();
    waitFor(app, [pane] { return pane->isVisible() && pane->visibleClassCount() > 0; }, 10000);
    std::printf("start to window shown: %lld ms, package tree then: %s, %d packages, %d classes; shown and "
                "filled at %lld ms\n",
                shown, paneWhenShown ? "visible" : "HIDDEN", pane->tree()->model()->rowCount(), classesWhenShown,
                ms(timer));
    if (argc < 3) return 0;

    const QString className = QString::fromLocal8Bit(argv[2]);
    const QString title = className.mid(className.lastIndexOf('.') + 1) + ".java - zefra";
    timer.restart();
    if (!pane->chooseClass(className)) return 1;
    waitFor(app, [frame, title] { return frame->windowTitle() == title && frame->treeView()->topLevelItemCount() > 0; },
            30000);
    std::printf("choice to text and tree: %lld ms, %d lines, %d tree items at the top, %s\n", ms(timer),
                frame->editView()->getLineCount(), frame->treeView()->topLevelItemCount(),
                qPrintable(frame->windowTitle()));
    if (argc < 4) return 0;

    const QString text = QString::fromLocal8Bit(argv[3]);
    searchOnce(app, *frame->archiveTools(), text, "first");
    searchOnce(app, *frame->archiveTools(), text, "kept-text");
    return 0;
}
