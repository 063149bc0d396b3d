#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>

#include "ModalAnswers.h"
#include "WindowTests.h"
#include "gui/ApplicationShell.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraView.h"
#include "gui/CommandIds.h"
#include "windows/file/FileSystemHelpers.h"

using namespace products::zefra::gui;

namespace {

QString applicationDirectory() {
    return QString::fromStdString(windows::file::getApplicationDirectory());
}

QStringList loggedRuns(const QString& log) {
    QFile file(applicationDirectory() + "jad/" + log);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// The fake engine hands the "class file"'s bytes back as its Java text.
const char* const RECORD_TEXT = "public record Point(int x, int y)\r\n{\r\n    public Point\r\n    {\r\n    }\r\n}\r\n";

QAction* modernItem(CMainFrame* frame) {
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>()) {
        if (menu->title() != "&View") continue;
        for (QAction* item : menu->actions()) {
            if (item->text() == "&Modern Java") return item;
        }
    }
    return nullptr;
}

}

void ModernViewTest::init() {
    _scratch = applicationDirectory() + "scratch-modern/";
    QDir(_scratch).removeRecursively();
    QDir().mkpath(_scratch);
    QFile::remove(applicationDirectory() + "jad/runs.log");
    QFile::remove(applicationDirectory() + "jad/modern-runs.log");
    QSettings().clear();
    QFile file(_scratch + "Point.class");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(RECORD_TEXT);
}

void ModernViewTest::cleanup() {
    QDir(_scratch).removeRecursively();
    QSettings().clear();
}

void ModernViewTest::isOffByDefaultAndTheClassicViewCannotReadModernJava() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    CMainFrame* frame = shell.mainFrame();
    QAction* item = modernItem(frame);
    QVERIFY(item);
    QCOMPARE(item, frame->action(command::VIEW_MODERN_JAVA));
    QVERIFY(item->isCheckable());
    QVERIFY(!item->isChecked());

    frame->openDocumentFile(_scratch + "Point.class");
    QTRY_COMPARE(loggedRuns("runs.log").size(), 1);
    QTRY_VERIFY(answers.boxes.join("\n").contains("Could not parse the class file."));
    QCOMPARE(loggedRuns("modern-runs.log"), QStringList());
    QCOMPARE(frame->treeView()->topLevelItemCount(), 0);
}

void ModernViewTest::onTheEngineGetsMAndTheTreeShowsModernJava() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    CMainFrame* frame = shell.mainFrame();
    frame->action(command::VIEW_MODERN_JAVA)->trigger();
    QVERIFY(frame->action(command::VIEW_MODERN_JAVA)->isChecked());
    QCOMPARE(QSettings().value("View/ModernJava").toBool(), true);

    frame->openDocumentFile(_scratch + "Point.class");
    QTRY_COMPARE(loggedRuns("modern-runs.log"), QStringList{_scratch + "Point.class"});
    QTRY_VERIFY(frame->treeView()->topLevelItemCount() == 1);
    QCOMPARE(answers.boxes.join("\n"), QString());
    QTreeWidgetItem* root = frame->treeView()->topLevelItem(0);
    QCOMPARE(root->text(0), QString("Point"));
    QStringList entries;
    for (int i = 0; i < root->childCount(); ++i) entries << root->child(i)->text(0);
    QCOMPARE(entries, (QStringList{"x", "y", "Point(int x, int y)", "x()", "y()", "equals(Object o)", "hashCode()",
                                   "toString()"}));
    // The compact constructor's entry selects its line.
    frame->treeView()->setCurrentItem(root->child(2));
    QTRY_COMPARE(frame->editView()->textCursor().blockNumber(), 2);

    // Off again: the next open is classic.
    frame->action(command::VIEW_MODERN_JAVA)->trigger();
    QCOMPARE(QSettings().value("View/ModernJava").toBool(), false);
    frame->openDocumentFile(_scratch + "Point.class");
    QTRY_COMPARE(loggedRuns("runs.log").size(), 2);
    QCOMPARE(loggedRuns("modern-runs.log").size(), 1);
}

void ModernViewTest::theChoiceIsRemembered() {
    {
        ModalAnswers answers;
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra"}));
        shell.mainFrame()->action(command::VIEW_MODERN_JAVA)->trigger();
    }
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _scratch + "Point.class"}));
    QVERIFY(shell.mainFrame()->action(command::VIEW_MODERN_JAVA)->isChecked());
    QTRY_COMPARE(loggedRuns("modern-runs.log"), QStringList{_scratch + "Point.class"});
}

void ModernViewTest::commandLineTurnsItOnForOneRun() {
    {
        ModalAnswers answers;
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra", "--modern", _scratch + "Point.class"}));
        QVERIFY(shell.mainFrame()->action(command::VIEW_MODERN_JAVA)->isChecked());
        QTRY_COMPARE(loggedRuns("modern-runs.log"), QStringList{_scratch + "Point.class"});
        QTRY_VERIFY(shell.mainFrame()->treeView()->topLevelItemCount() == 1);
    }
    QVERIFY(!QSettings().value("View/ModernJava", false).toBool());
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    QVERIFY(!shell.mainFrame()->action(command::VIEW_MODERN_JAVA)->isChecked());
}
