#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

#include "../../archive/ArchiveTestSupport.h"
#include "ArchiveToolsTests.h"
#include "ModalAnswers.h"
#include "gui/ApplicationShell.h"
#include "gui/ArchivePane.h"
#include "gui/ArchiveSearchDialog.h"
#include "gui/ArchiveTools.h"
#include "gui/BackgroundJob.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraView.h"
#include "gui/Delegate.h"
#include "gui/RecentFileList.h"
#include "windows/file/FileSystemHelpers.h"

using namespace products::zefra::gui;

namespace {

// The fake engine hands a "class file"'s bytes back as its Java text.
const char* const SHAPES_TEXT =
    "package shapes;\r\n\r\nimport other.Util;\r\n\r\npublic class Shapes\r\n{\r\n"
    "    public int area()\r\n    {\r\n        return Util.make() + checkNotNull(2);\r\n    }\r\n\r\n"
    "    int checkNotNull(int i)\r\n    {\r\n        return area();\r\n    }\r\n\r\n"
    "    public void broken(int i)\r\n    {\r\n"
    "        // Not decompiled: stack height differs at 4\r\n"
    "        //   0: iload_1\r\n"
    "        throw new RuntimeException(\"not decompiled: stack height differs at 4\");\r\n"
    "    }\r\n}\r\n";
const char* const UTIL_TEXT =
    "package other;\r\n\r\npublic class Util\r\n{\r\n    int count;\r\n\r\n"
    "    public static int make()\r\n    {\r\n        return 1;\r\n    }\r\n}\r\n";

QString applicationDirectory() { return QString::fromStdString(windows::file::getApplicationDirectory()); }

// The editor's position of a word on the first line that holds the text.
int positionOf(CZefraView* editor, const QString& lineText, const QString& word) {
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(lineText)) return block.position() + static_cast<int>(block.text().indexOf(word)) + 1;
    }
    return -1;
}

QString cursorLine(CZefraView* editor) { return editor->textCursor().block().text(); }

int archiveRuns() {
    QFile log(applicationDirectory() + "jad/archive-runs.log");
    if (!log.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(log.readAll().count('\n'));
}

bool openShapes(ApplicationShell& shell, const QString& jar) {
    if (!shell.start({"zefra", jar})) return false;
    CMainFrame* frame = shell.mainFrame();
    if (!frame->archivePane()->chooseClass("shapes.Shapes")) return false;
    return QTest::qWaitFor([frame] { return frame->windowTitle() == "Shapes.java - zefra"; });
}

}

void ArchiveToolsTest::init() {
    _scratch = applicationDirectory() + "scratch-tools/";
    QDir(_scratch).removeRecursively();
    QDir().mkpath(_scratch);
    QFile::remove(applicationDirectory() + "jad/archive-runs.log");
    _jar = _scratch + "lib.jar";
    archivetest::writeZip(_jar.toStdString(), {{"shapes/Shapes.class", SHAPES_TEXT},
                                               {"other/Util.class", UTIL_TEXT},
                                               {"broken/Bad-engine-fails.class", "unreadable"}});
    QSettings().remove(RecentFileList::GROUP);
}

void ArchiveToolsTest::cleanup() {
    QDir(_scratch).removeRecursively();
    QSettings().remove(RecentFileList::GROUP);
}

void ArchiveToolsTest::goToDeclarationOpensTheClassAndBackAndForwardReturn() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(openShapes(shell, _jar));
    CMainFrame* frame = shell.mainFrame();
    CZefraView* editor = frame->editView();
    ArchiveTools* tools = frame->archiveTools();
    QVERIFY(!tools->backAction()->isEnabled());

    // F12 on "make" in Util.make(): the imported class opens at the method.
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(positionOf(editor, "Util.make()", "make"));
    editor->setTextCursor(cursor);
    const int leftLine = cursor.blockNumber();
    tools->goToDeclarationAction()->trigger();
    QTRY_COMPARE(frame->windowTitle(), "Util.java - zefra");
    QTRY_VERIFY2(cursorLine(editor).contains("public static int make()"), qPrintable(cursorLine(editor)));
    QVERIFY(tools->backAction()->isEnabled());

    // Alt+Left: back in Shapes, on the line left from.
    QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE(frame->windowTitle(), "Shapes.java - zefra");
    QTRY_COMPARE(editor->textCursor().blockNumber(), leftLine);
    QVERIFY(tools->forwardAction()->isEnabled());

    // Alt+Right: Util again, at the method.
    QTest::keyClick(editor, Qt::Key_Right, Qt::AltModifier);
    QTRY_COMPARE(frame->windowTitle(), "Util.java - zefra");
    QTRY_VERIFY(cursorLine(editor).contains("public static int make()"));

    // A name the archive does not have leads nowhere and changes nothing.
    tools->goToDeclarationAt(positionOf(editor, "return 1;", "return"));
    QCOMPARE(frame->windowTitle(), "Util.java - zefra");
    QVERIFY(answers.boxes.isEmpty());
}

void ArchiveToolsTest::controlClickOnAMemberSelectsItsLine() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(openShapes(shell, _jar));
    CMainFrame* frame = shell.mainFrame();
    CZefraView* editor = frame->editView();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTextCursor at(editor->document());
    at.setPosition(positionOf(editor, "return area();", "area"));
    const QPoint point = editor->cursorRect(at).center();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
    QTRY_VERIFY2(cursorLine(editor).contains("public int area()"), qPrintable(cursorLine(editor)));
    QCOMPARE(frame->windowTitle(), "Shapes.java - zefra");
    // Back within the class.
    frame->archiveTools()->goBack();
    QVERIFY(cursorLine(editor).contains("return area();"));
}

void ArchiveToolsTest::searchListsAKnownHitAndOpensItAndDecompilesTheArchiveOnce() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    CMainFrame* frame = shell.mainFrame();
    ArchiveTools* tools = frame->archiveTools();
    tools->searchAction()->trigger();
    ArchiveSearchDialog* dialog = tools->searchDialog();
    QVERIFY(dialog && dialog->isVisible());
    dialog->queryBox()->setText("checkNotNull");
    dialog->caseBox()->setChecked(true);
    dialog->searchButton()->click();
    QTRY_VERIFY(!tools->task().isRunning() && dialog->searchButton()->isEnabled());
    QTreeWidget* results = dialog->results();
    QCOMPARE(results->topLevelItemCount(), 2);
    QTreeWidgetItem* hit = results->topLevelItem(1);
    QCOMPARE(hit->text(ArchiveSearchDialog::CLASS_COLUMN), "shapes.Shapes");
    QCOMPARE(hit->text(ArchiveSearchDialog::LINE_COLUMN), "12");
    QCOMPARE(hit->text(ArchiveSearchDialog::TEXT_COLUMN), "int checkNotNull(int i)");
    QCOMPARE(dialog->statusLabel()->text(), "2 hits");

    // Choosing the hit opens the class at its line.
    emit results->itemActivated(hit, 0);
    QTRY_COMPARE(frame->windowTitle(), "Shapes.java - zefra");
    QTRY_COMPARE(frame->editView()->textCursor().blockNumber(), 11);

    // A second search reads the kept text; a bad expression is told, not run.
    dialog->regularExpressionBox()->setChecked(true);
    tools->search({"make\\(\\)", true, true});
    QTRY_VERIFY(!tools->task().isRunning() && dialog->searchButton()->isEnabled());
    QCOMPARE(results->topLevelItemCount(), 2);
    QCOMPARE(archiveRuns(), 1);
    tools->search({"(unclosed", true, false});
    QVERIFY(dialog->statusLabel()->text().startsWith("The regular expression is not valid"));
    QVERIFY(answers.boxes.isEmpty());
}

// The class shown is named by the class file it came from, not by the Java
// name the document proposes for Save: a hit in another class is told apart.
// The hit is chosen while the class chosen before is still being decompiled.
void ArchiveToolsTest::aHitInAnotherClassLandsOnItsLineAndBackReturns() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(openShapes(shell, _jar));
    CMainFrame* frame = shell.mainFrame();
    CZefraView* editor = frame->editView();
    ArchiveTools* tools = frame->archiveTools();
    tools->search({"int count;", false, true});
    QTRY_VERIFY(!tools->task().isRunning() && tools->searchDialog()->searchButton()->isEnabled());
    QTreeWidget* results = tools->searchDialog()->results();
    QCOMPARE(results->topLevelItemCount(), 1);
    QVERIFY(frame->archivePane()->chooseClass("shapes.Shapes"));
    QVERIFY(frame->delegate()->isDecompiling());
    emit results->itemActivated(results->topLevelItem(0), 0);
    QTRY_COMPARE(frame->windowTitle(), "Util.java - zefra");
    QTRY_VERIFY2(cursorLine(editor).contains("int count;"), qPrintable(cursorLine(editor)));
    QTRY_COMPARE(frame->archiveStatus()->text(), "lib.jar: other.Util");
    tools->goBack();
    QTRY_COMPARE(frame->windowTitle(), "Shapes.java - zefra");

    // A class whose run fails leaves the one shown named, and nothing waits for it.
    QVERIFY(frame->archivePane()->chooseClass("broken.Bad-engine-fails"));
    QTRY_COMPARE(answers.boxes.size(), 1);
    QCOMPARE(frame->windowTitle(), "Shapes.java - zefra");
    QVERIFY(frame->archiveStatus()->text().startsWith("lib.jar: shapes.Shapes"));
}

void ArchiveToolsTest::saveAllSourcesToAFolderGoesPastAFailingClassAndReportsIt() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    CMainFrame* frame = shell.mainFrame();
    const QString target = _scratch + "sources";
    QVERIFY(frame->archiveTools()->saveAllSources(target));
    QTRY_COMPARE(answers.boxes.size(), 1);
    QVERIFY2(answers.boxes.constFirst().contains("2 of 3 classes saved to " + target + ". 1 could not be decompiled."),
             qPrintable(answers.boxes.constFirst()));
    QVERIFY(answers.boxes.constFirst().contains("1 method holds the engine's listing"));
    QVERIFY(QFile::exists(target + "/shapes/Shapes.java"));
    QVERIFY(QFile::exists(target + "/other/Util.java"));
    const QString report = frame->archiveTools()->lastReport();
    QVERIFY2(report.contains("broken.Bad-engine-fails: fake engine: cannot read Bad-engine-fails.class"),
             qPrintable(report));
    QVERIFY(report.contains("shapes.Shapes.broken(int i): stack height differs at 4"));
}

void ArchiveToolsTest::saveAllSourcesToAZipAndCancelOfALongRun() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    CMainFrame* frame = shell.mainFrame();
    const QString zip = _scratch + "sources.zip";
    QVERIFY(frame->archiveTools()->saveAllSources(zip));
    QTRY_COMPARE(answers.boxes.size(), 1);
    QVERIFY(QFile::exists(zip));

    // An archive whose engine run takes long: Cancel ends it and nothing is written.
    const QString slow = _scratch + "slow.jar";
    archivetest::writeZip(slow.toStdString(), {{"a/Slow-engine-sleeps.class", "class Slow { }"}});
    frame->openDocumentFile(slow);
    const QString never = _scratch + "never.zip";
    QVERIFY(frame->archiveTools()->saveAllSources(never));
    QVERIFY(frame->archiveTools()->task().isRunning());
    QElapsedTimer timer;
    timer.start();
    frame->archiveTools()->task().cancel();
    QTRY_VERIFY(!frame->archiveTools()->task().isRunning());
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(frame->archiveTools()->lastReport(), "Save All Sources was cancelled.");
    QVERIFY(!QFile::exists(never));
}
