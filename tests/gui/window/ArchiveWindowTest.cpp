#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include "../../archive/ArchiveTestSupport.h"
#include "ArchiveWindowTests.h"
#include "ModalAnswers.h"
#include "gui/ApplicationShell.h"
#include "gui/ArchiveBrowser.h"
#include "gui/ArchivePane.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraView.h"
#include "gui/RecentFileList.h"
#include "gui/TrustMarks.h"
#include "windows/file/FileSystemHelpers.h"

using namespace products::zefra::gui;

namespace {

QString applicationDirectory() {
    return QString::fromStdString(windows::file::getApplicationDirectory());
}

// The fake engine hands a "class file"'s bytes back as its Java text; this
// one holds a method as the engine prints one it could not decompile.
const char* const SHAPES_TEXT =
    "package shapes;\r\n\r\npublic class Shapes\r\n{\r\n"
    "    public int area()\r\n    {\r\n        return 1;\r\n    }\r\n\r\n"
    "    public void broken(int i)\r\n    {\r\n"
    "        // Not decompiled: stack height differs at 4\r\n"
    "        //   0: iload_1\r\n"
    "        throw new RuntimeException(\"not decompiled: stack height differs at 4\");\r\n"
    "    }\r\n}\r\n";
const char* const UTIL_TEXT = "package other;\r\n\r\npublic class Util\r\n{\r\n    int count;\r\n}\r\n";

QTreeWidgetItem* itemNamed(QTreeWidget* tree, const QString& part) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0).contains(part)) return *it;
    }
    return nullptr;
}

}

void ArchiveWindowTest::init() {
    _scratch = applicationDirectory() + "scratch-archive/";
    QDir(_scratch).removeRecursively();
    QDir().mkpath(_scratch);
    _jar = _scratch + "lib.jar";
    archivetest::writeZip(_jar.toStdString(), {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"},
                                               {"shapes/Shapes.class", SHAPES_TEXT},
                                               {"shapes/Shapes$Corner.class", "nested"},
                                               {"other/Util.class", UTIL_TEXT},
                                               {"../Escape.class", "hostile"}});
    QSettings().remove(RecentFileList::GROUP);
}

void ArchiveWindowTest::cleanup() {
    QDir(_scratch).removeRecursively();
    QSettings().remove(RecentFileList::GROUP);
}

void ArchiveWindowTest::commandLineArchiveListsItsPackagesAndClasses() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    CMainFrame* frame = shell.mainFrame();
    ArchivePane* pane = frame->archivePane();
    QVERIFY(pane->isVisible());
    QAbstractItemModel* model = pane->tree()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0, 0).data().toString(), "other");
    QCOMPARE(model->index(1, 0).data().toString(), "shapes");
    // The nested class and the hostile entry are no rows of their own.
    QCOMPARE(pane->visibleClassCount(), 2);
    QCOMPARE(frame->archiveStatus()->text(), "lib.jar: 2 classes");
    QCOMPARE(frame->windowTitle(), "Zefra - zefra");
    QVERIFY(answers.boxes.isEmpty());
}

void ArchiveWindowTest::choosingAClassShowsItAsAClassFileAndClosingRemovesItsFolder() {
    ModalAnswers answers;
    QString folder;
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra"}));
        CMainFrame* frame = shell.mainFrame();
        frame->openDocumentFile(_jar);
        folder = frame->archiveBrowser()->folder();
        QVERIFY(QDir(folder).exists());
        QVERIFY(frame->archivePane()->chooseClass("shapes.Shapes"));
        QTRY_COMPARE(frame->windowTitle(), "Shapes.java - zefra");
        QVERIFY(frame->editView()->toPlainText().contains("public void broken(int i)"));
        QVERIFY(itemNamed(frame->treeView(), "area"));
        QTRY_VERIFY(frame->archiveStatus()->text().startsWith("lib.jar: shapes.Shapes"));
        // The nested class lies beside it for the engine; nothing escaped the folder.
        QVERIFY(QFile::exists(folder + "/classes/shapes/Shapes$Corner.class"));
        QVERIFY(!QFile::exists(_scratch + "Escape.class"));
        QVERIFY(!QFile::exists(folder + "/Escape.class"));
        // The recent list keeps the archive, not the private copy.
        QCOMPARE(shell.recentFiles()->entries(), QStringList{_jar});
        QVERIFY(answers.boxes.isEmpty());
    }
    QVERIFY(!QDir(folder).exists());
}

void ArchiveWindowTest::filterNarrowsTheTreeAsYouType() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    ArchivePane* pane = shell.mainFrame()->archivePane();
    QTest::keyClicks(pane->filterBox(), "UTI");
    QCOMPARE(pane->visibleClassCount(), 1);
    QCOMPARE(pane->tree()->model()->rowCount(), 1);
    // A package name matches all of its classes.
    pane->filterBox()->setText("shapes");
    QCOMPARE(pane->visibleClassCount(), 1);
    pane->filterBox()->setText("nothing like it");
    QCOMPARE(pane->visibleClassCount(), 0);
    pane->filterBox()->clear();
    QCOMPARE(pane->visibleClassCount(), 2);
}

void ArchiveWindowTest::membersWithTheFallbackBodyAreMarked() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra", _jar}));
    CMainFrame* frame = shell.mainFrame();
    QVERIFY(frame->archivePane()->chooseClass("shapes.Shapes"));
    QTRY_VERIFY(frame->archiveStatus()->text().contains("could not be decompiled"));
    QCOMPARE(frame->archiveStatus()->text(),
             "lib.jar: shapes.Shapes \u2014 1 member of this class could not be decompiled");
    QTreeWidgetItem* broken = itemNamed(frame->treeView(), "broken");
    QTreeWidgetItem* area = itemNamed(frame->treeView(), "area");
    QVERIFY(broken && area);
    QCOMPARE(broken->data(0, FALLBACK_REASON_ROLE).toString(), "stack height differs at 4");
    QCOMPARE(broken->toolTip(0), "Not decompiled: stack height differs at 4");
    QVERIFY(area->data(0, FALLBACK_REASON_ROLE).toString().isEmpty());

    // The next class has no fallback body: no count.
    QVERIFY(frame->archivePane()->chooseClass("other.Util"));
    QTRY_COMPARE(frame->archiveStatus()->text(), "lib.jar: other.Util");
}

void ArchiveWindowTest::aFileThatIsNoArchiveIsReportedAndChangesNothing() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    CMainFrame* frame = shell.mainFrame();
    const QString fake = _scratch + "broken.zip";
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not an archive at all");
    file.close();
    frame->openDocumentFile(fake);
    QCOMPARE(answers.boxes.size(), 1);
    QVERIFY2(answers.boxes.constFirst().contains("The archive " + fake + " could not be opened: "),
             qPrintable(answers.boxes.constFirst()));
    QVERIFY(!frame->archivePane()->isVisible());
    QCOMPARE(frame->windowTitle(), "Zefra - zefra");
}

// The window's saved state holds the pane's visibility too; a session that
// ended without an archive must not hide the next one's packages.
void ArchiveWindowTest::thePaneShowsWithAnArchiveWhateverTheLastWindowLeft() {
    ModalAnswers answers;
    const QVariant savedBefore = QSettings().value("Window/state");
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra"}));
        QVERIFY(!shell.mainFrame()->archivePane()->isVisible());
        shell.mainFrame()->saveWindowState();
    }
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra", _jar}));
        QVERIFY(shell.mainFrame()->archivePane()->isVisible());
        shell.mainFrame()->saveWindowState();
    }
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra"}));
        QVERIFY(!shell.mainFrame()->archivePane()->isVisible());
    }
    QSettings().setValue("Window/state", savedBefore);
    QVERIFY(answers.boxes.isEmpty());
}
