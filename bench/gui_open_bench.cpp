// Times the viewer's open road for a Java text of many members: from
// openDocument to a filled tree and editor, with a stand-in engine that only
// copies the text. Prints the figures and the resident memory afterwards.
//   gui_open_bench [members]     (run on QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "decompiler/DecompilerImpl.h"
#include "gui/ApplicationShell.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraApp.h"
#include "gui/CZefraView.h"
#include "gui/Delegate.h"
#include "windows/file/FileSystemHelpers.h"

namespace {

using products::zefra::gui::Delegate;

// A class with fields and methods of every access, half and half, CR LF ends.
std::string javaText(int members) {
    static const char* const ACCESS[] = {"public ", "protected ", "private ", ""};
    std::string text = "package bench;\r\n\r\npublic class Big\r\n{\r\n";
    for (int i = 0; i < members / 2; ++i) {
        text += std::string("    ") + ACCESS[i % 4] + "int field" + std::to_string(i) + " = " +
                std::to_string(i) + ";\r\n";
    }
    for (int i = 0; i < members - members / 2; ++i) {
        text += std::string("    ") + ACCESS[i % 4] + "int method" + std::to_string(i) +
                "(int a, String b)\r\n    {\r\n        return a + " + std::to_string(i) +
                ";\r\n    }\r\n\r\n";
    }
    return text + "}\r\n";
}

double milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

// Processor time of the viewer and its engine children: on a busy machine
// it says more than the wall clock.
double cpuMilliseconds() {
    return (std::clock() + 0.0) * 1000.0 / CLOCKS_PER_SEC;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, 6, "VmRSS:") == 0) return std::stol(line.substr(6));
    }
    return -1;
}

int countItems(QTreeWidgetItem* item) {
    int count = 1;
    for (int i = 0; i < item->childCount(); ++i) count += countItems(item->child(i));
    return count;
}

}

int main(int argc, char** argv) {
    const int members = argc > 1 ? std::atoi(argv[1]) : 10000;
    QApplication app(argc, argv);
    products::zefra::gui::CZefraApp::applyIdentity();

    const std::string text = javaText(members);
    const std::string classFile = windows::file::getApplicationDirectory() + "Big.class";
    std::ofstream(classFile, std::ios::binary) << text;

    products::zefra::gui::ApplicationShell shell;
    if (!shell.start({"zefra"})) return 1;
    app.processEvents();
    const long before = residentKilobytes();

    QElapsedTimer timer;
    const double cpuStart = cpuMilliseconds();
    timer.start();
    Delegate::instance().openDocument(classFile);
    // The engine runs off the GUI thread; the views are filled when it ends.
    while (Delegate::instance().isDecompiling()) {
        app.processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const double open = milliseconds(timer);
    const double openCpu = cpuMilliseconds() - cpuStart;
    app.processEvents();  // the first layout and paint
    const double shown = milliseconds(timer);

    // The pipeline alone (engine stand-in and parser), for comparison.
    timer.restart();
    products::zefra::decompiler::DecompilerImpl pipeline;
    const auto root = pipeline.decompile(classFile);
    const double pipelineOnly = milliseconds(timer);
    // The views alone, from a ready tree.
    timer.restart();
    Delegate::instance().fillTree(*root, products::zefra::gui::NO_TREE_ITEM);
    const double treeOnly = milliseconds(timer);
    timer.restart();
    Delegate::instance().setText(root->getText());
    const double editorOnly = milliseconds(timer);

    auto* tree = shell.mainFrame()->treeView();
    const int items = tree->topLevelItemCount() ? countItems(tree->topLevelItem(0)) : 0;
    const bool same = shell.mainFrame()->editView()->getWholeText() == text;
    std::printf("members                      %d (tree items %d, text %zu bytes, %d lines)\n",
                members, items, text.size(), shell.mainFrame()->editView()->getLineCount());
    std::printf("openDocument to filled views %.1f ms   (target 300 ms; processor time %.1f ms)\n",
                open, openCpu);
    std::printf("  ... and first paint        %.1f ms\n", shown);
    std::printf("  engine stand-in and parser %.1f ms\n", pipelineOnly);
    std::printf("  tree only                  %.1f ms\n", treeOnly);
    std::printf("  editor only                %.1f ms\n", editorOnly);
    std::printf("resident memory afterwards   %.1f MB (%.1f MB before the open; target 200 MB)\n",
                residentKilobytes() / 1024.0, before / 1024.0);
    std::printf("text kept byte for byte      %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
