// The viewer's archive road with the real engine: window shown to a filled
// package tree, then one chosen class to its text and structure tree.
//   zefra_gui_archive_bench <archive> [qualified class name]
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QTreeView>
#include <cstdio>

#include "gui/ApplicationShell.h"
#include "gui/ArchivePane.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraView.h"

using namespace products::zefra::gui;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <archive> [class]\n", argv[0]);
        return 2;
    }
    ApplicationShell shell;
    QElapsedTimer timer;
    timer.start();
    if (!shell.start({"zefra", QString::fromLocal8Bit(argv[1])})) return 1;
    CMainFrame* frame = shell.mainFrame();
    ArchivePane* pane = frame->archivePane();
    while (pane->visibleClassCount() == 0 && timer.elapsed() < 10000) app.processEvents();
    std::printf("start to filled package tree: %lld ms, %d packages, %d classes\n",
                static_cast<long long>(timer.elapsed()), pane->tree()->model()->rowCount(),
                pane->visibleClassCount());
    if (argc < 3) return 0;
    timer.restart();
    if (!pane->chooseClass(QString::fromLocal8Bit(argv[2]))) return 1;
    while (frame->treeView()->topLevelItemCount() == 0 && timer.elapsed() < 30000) app.processEvents();
    std::printf("choice to text and tree: %lld ms, %d lines, %s\n", static_cast<long long>(timer.elapsed()),
                frame->editView()->getLineCount(), qPrintable(frame->windowTitle()));
    return 0;
}
