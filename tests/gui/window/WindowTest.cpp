#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QUrl>
#include <QtTest>

#include "ModalAnswers.h"
#include "WindowTests.h"
#include "gui/ApplicationShell.h"
#include "gui/CGoToLineDialog.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraDoc.h"
#include "gui/CZefraView.h"
#include "gui/CommandIds.h"
#include "gui/Delegate.h"
#include "gui/RecentFileList.h"
#include "windows/file/FileSystemHelpers.h"

using namespace products::zefra::gui;

namespace {

QString applicationDirectory() {
    return QString::fromStdString(windows::file::getApplicationDirectory());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray shapesText() { return readAll(QStringLiteral(ZEFRA_GUI_TEST_DATA "/Shapes.class")); }

QStringList engineRuns() {
    return QString::fromUtf8(readAll(applicationDirectory() + "jad/runs.log")).split('\n', Qt::SkipEmptyParts);
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Answers a file dialog with a path, as a user typing it would.
ModalAnswers::Answer chooseFile(const QString& path, QString* proposed = nullptr) {
    return [path, proposed](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        if (proposed) {
            *proposed = QDir(files.directory()).absoluteFilePath(files.selectedFiles().value(0));
        }
        files.selectFile(path);
        return int(QDialog::Accepted);
    };
}

// A drag that enters the widget and is dropped there.
void dropFiles(QWidget* target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Waits (the event loop running) until the engine's run has ended.
bool waitForRun(CMainFrame* frame) {
    return QTest::qWaitFor([frame] { return !frame->delegate()->isDecompiling(); }, 20000);
}

bool startAndWait(ApplicationShell& shell, const QStringList& arguments) {
    return shell.start(arguments) && waitForRun(shell.mainFrame());
}

ModalAnswers::Answer pressButton(int button) {
    return [button](QDialog&) { return button; };
}

}

void WindowTest::openUrl(const QUrl& url) { _opened.append(url); }

void WindowTest::init() {
    _scratch = applicationDirectory() + "scratch/";
    QDir(_scratch).removeRecursively();
    QDir().mkpath(_scratch);
    QFile::remove(applicationDirectory() + "config.txt");
    QFile::remove(applicationDirectory() + "jad/runs.log");
    QSettings().clear();
    writeAll(_scratch + "Shapes.class", shapesText());
    _opened.clear();
    QDesktopServices::setUrlHandler("https", this, "openUrl");
    QDesktopServices::setUrlHandler("http", this, "openUrl");
}

void WindowTest::cleanup() {
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("http");
    QDir(_scratch).removeRecursively();
    QFile::remove(applicationDirectory() + "config.txt");
}

void WindowTest::startsWithTheClassFileNamedOnTheCommandLine() {
    ModalAnswers answers;
    QDir::setCurrent(_scratch);
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", "Shapes.class"}));  // relative to where it was started
    CMainFrame* frame = shell.mainFrame();

    QCOMPARE(answers.boxes.join("\n"), QString());
    QCOMPARE(engineRuns(), QStringList{_scratch + "Shapes.class"});
    QCOMPARE(frame->windowTitle(), QString("Shapes.java - zefra"));
    QCOMPARE(shell.document()->pathName(), applicationDirectory() + "Shapes.java");
    QTreeWidgetItem* root = frame->treeView()->topLevelItem(0);
    QVERIFY(root);
    QCOMPARE(root->text(0), QString("Shapes"));
    QVERIFY(root->isExpanded());
    QCOMPARE(root->childCount(), 8);
    QCOMPARE(root->child(0)->text(0), QString("Circle"));
    QVERIFY(!root->child(0)->isExpanded());
    QCOMPARE(root->child(1)->text(0), QString("count"));
    QCOMPARE(QByteArray::fromStdString(frame->editView()->getWholeText()), shapesText());
    QVERIFY(!shell.document()->isModified());
    QCOMPARE(shell.recentFiles()->entries(), QStringList{_scratch + "Shapes.class"});
    QCOMPARE(QSettings().value("Recent File List/File1").toString(), _scratch + "Shapes.class");
    QCOMPARE(frame->splitter()->widget(0), static_cast<QWidget*>(frame->treeView()));
}

void WindowTest::newDocumentIsNamedZefra() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    QCOMPARE(shell.mainFrame()->windowTitle(), QString("Zefra - zefra"));
    QCOMPARE(shell.mainFrame()->treeView()->topLevelItemCount(), 0);
    QCOMPARE(shell.mainFrame()->editView()->getWholeText(), std::string());
    QVERIFY(engineRuns().isEmpty());
    QCOMPARE(QDir::currentPath() + "/", applicationDirectory());
}

void WindowTest::choosingATreeItemSelectsItsLine() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    QTreeWidgetItem* item = findItem(frame->treeView(), "reset()");
    QVERIFY(item);
    frame->treeView()->setCurrentItem(item);
    const QTextCursor cursor = frame->editView()->textCursor();
    QCOMPARE(cursor.block().blockNumber(), item->data(0, CLeftView::LINE_ROLE).toInt());
    QCOMPARE(cursor.selectedText(), QString("    private void reset()"));
    QCOMPARE(cursor.position(), cursor.block().position());
    // The line comes to the top as far as the text allows.
    QCOMPARE(frame->editView()->getFirstVisibleLine(),
             qMin(cursor.block().blockNumber(), frame->editView()->verticalScrollBar()->maximum()));
}

void WindowTest::enterAndDoubleClickMoveTheFocusToTheEditor() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CLeftView* tree = frame->treeView();
    QTreeWidgetItem* item = findItem(tree, "main(String args[])");
    tree->setFocus();
    tree->setCurrentItem(item);
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(frame->editView()->hasFocus());
    QCOMPARE(frame->editView()->textCursor().blockNumber(), item->data(0, CLeftView::LINE_ROLE).toInt());

    tree->setFocus();
    QVERIFY(tree->hasFocus());
    QTreeWidgetItem* circle = findItem(tree, "Circle");
    const QPoint where = tree->visualItemRect(circle).center();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, where);
    QVERIFY(frame->editView()->hasFocus());
    QCOMPARE(frame->editView()->textCursor().blockNumber(), circle->data(0, CLeftView::LINE_ROLE).toInt());
}

void WindowTest::dropOpensTheFirstFileOnly() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    QList<QUrl> urls;
    for (const char* name : {"A.class", "B.class", "C.class"}) {
        writeAll(_scratch + name, shapesText());
        urls << QUrl::fromLocalFile(_scratch + name);
    }
    dropFiles(shell.mainFrame()->treeView()->viewport(), urls);
    QVERIFY(waitForRun(shell.mainFrame()));
    QCOMPARE(engineRuns(), QStringList{_scratch + "A.class"});
    QCOMPARE(shell.mainFrame()->windowTitle(), QString("A.java - zefra"));
    QCOMPARE(answers.boxes.join("\n"), QString());
}

void WindowTest::nonClassFileChangesNeitherTitleNorRecentList() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    writeAll(_scratch + "notes.txt", "just text");
    answers.push(chooseFile(_scratch + "notes.txt"));
    frame->action(command::FILE_OPEN)->trigger();
    QCOMPARE(answers.boxes,
             QStringList{"Zefra - Java Decompiler Error|The file " + _scratch +
                         "notes.txt has an unsupported file format. Only .class files supported."});
    dropFiles(frame->editView()->viewport(), {QUrl::fromLocalFile(_scratch + "notes.txt")});
    QCOMPARE(answers.boxes.size(), 2);
    QCOMPARE(frame->windowTitle(), QString("Shapes.java - zefra"));
    QCOMPARE(shell.recentFiles()->entries(), QStringList{_scratch + "Shapes.class"});
    QCOMPARE(QByteArray::fromStdString(frame->editView()->getWholeText()), shapesText());
}

void WindowTest::statusPaneFollowsCaretAndSelection() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    CZefraView* edit = frame->editView();
    QLabel* pane = frame->statusPane(pane::LINE_COUNT);
    QCOMPARE(pane->text(), QString("Ln 1 Col 1"));
    edit->setSelection(edit->lineIndex(2) + 4, edit->lineIndex(2) + 4);
    QCOMPARE(pane->text(), QString("Ln 3 Col 5"));
    edit->setSelection(0, edit->lineIndex(1));
    QCOMPARE(pane->text(), QString("Ln 1 Col 1 - Ln 2 Col 1"));
    QTest::keyClick(edit, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(pane->text(), QString("Ln 1 Col 1 - Ln 3 Col 1"));

    frame->action(command::VIEW_STATUS_BAR)->trigger();
    QVERIFY(frame->statusBar()->isHidden());
    edit->setSelection(edit->lineIndex(3), edit->lineIndex(3));
    frame->action(command::VIEW_STATUS_BAR)->trigger();
    QCOMPARE(pane->text(), QString("Ln 4 Col 1"));
    QCOMPARE(frame->statusPane(0)->text(), QString("Ready"));
}

void WindowTest::goToLineCommandAnswersOutOfRangeNumbers() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    const int lines = frame->editView()->getLineCount();
    QString shown;
    const auto typeLine = [&shown](const QString& text) {
        return [&shown, text](QDialog& dialog) {
            auto& goTo = dynamic_cast<CGoToLineDialog&>(dialog);
            shown = QString::number(goTo.m_lineNumber);
            goTo.show();
            goTo.lineNumberEdit()->setText(text);
            goTo.accept();
            return goTo.result();
        };
    };
    answers.push(typeLine("999"));
    frame->action(command::GO_TO)->trigger();
    QCOMPARE(shown, QString("1"));
    QCOMPARE(answers.boxes, QStringList{"Zefra - Java Decompiler Information|The line number must be "
                                        "between 1 and " + QString::number(lines)});
    answers.push(typeLine("3"));
    frame->action(command::GO_TO)->trigger();
    QCOMPARE(frame->editView()->textCursor().blockNumber(), 2);
    QCOMPARE(frame->editView()->textCursor().selectedText(), QString("public class Shapes"));
    // Cancel leaves the selection and the view as they were.
    CZefraView* edit = frame->editView();
    edit->setSelection(edit->lineIndex(5) + 2, edit->lineIndex(5) + 4);
    const int firstVisible = edit->getFirstVisibleLine();
    answers.push(pressButton(QDialog::Rejected));
    frame->action(command::GO_TO)->trigger();
    int start = 0, end = 0;
    edit->getSelection(start, end);
    QCOMPARE(start, edit->lineIndex(5) + 2);
    QCOMPARE(end, edit->lineIndex(5) + 4);
    QCOMPARE(edit->getFirstVisibleLine(), firstVisible);
    QCOMPARE(answers.boxes.size(), 1);
}

void WindowTest::saveAfterOpenProposesTheJavaNameAndKeepsTheClassFile() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    QString proposed;
    answers.push(chooseFile(_scratch + "Saved.java", &proposed));
    frame->action(command::FILE_SAVE)->trigger();
    // The class file's folder, not the program's.
    QCOMPARE(proposed, _scratch + "Shapes.java");
    QCOMPARE(readAll(_scratch + "Saved.java"), shapesText());
    QCOMPARE(readAll(_scratch + "Shapes.class"), shapesText());
    QCOMPARE(frame->windowTitle(), QString("Saved.java - zefra"));

    // Now an existing, writable file: Save writes it without asking.
    QTextCursor cursor = frame->editView()->textCursor();
    cursor.movePosition(QTextCursor::End);
    frame->editView()->setTextCursor(cursor);
    QTest::keyClicks(frame->editView(), "// end");
    QVERIFY(shell.document()->isModified());
    const int dialogs = answers.dialogCount;
    frame->action(command::FILE_SAVE)->trigger();
    QCOMPARE(answers.dialogCount, dialogs);
    QCOMPARE(readAll(_scratch + "Saved.java"), shapesText() + "// end");
    QVERIFY(!shell.document()->isModified());
    QCOMPARE(readAll(_scratch + "Shapes.class"), shapesText());
}

void WindowTest::modifiedTextIsNotDroppedWithoutAsking() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    QTest::keyClicks(frame->editView(), "x");
    QVERIFY(shell.document()->isModified());

    answers.push(pressButton(QMessageBox::Cancel));
    QVERIFY(!frame->close());
    QVERIFY(frame->isVisible());
    QCOMPARE(answers.boxes, QStringList{"zefra|Save changes to Shapes.java?"});

    answers.push(pressButton(QMessageBox::No));
    frame->action(command::FILE_NEW)->trigger();
    QCOMPARE(frame->windowTitle(), QString("Zefra - zefra"));
    QCOMPARE(frame->editView()->getWholeText(), std::string());
    QVERIFY(!shell.document()->isModified());

    QTest::keyClicks(frame->editView(), "y");
    answers.push(pressButton(QMessageBox::No));
    QVERIFY(frame->close());
    QCOMPARE(answers.boxes.last(), QString("zefra|Save changes to Zefra?"));
}

void WindowTest::malformedConfigIsReportedAndHelpUsesTheDefault() {
    writeAll(applicationDirectory() + "config.txt", "homepageUrl=http://configured.example\nno pair here\n");
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    QCOMPARE(answers.boxes.size(), 1);
    QVERIFY2(answers.boxes[0].startsWith("Zefra - Java Decompiler Error|Error parsing the config file."),
             qPrintable(answers.boxes[0]));
    shell.mainFrame()->action(command::HOME_PAGE)->trigger();
    shell.mainFrame()->action(command::IMPROVE_CODE)->trigger();
    QCOMPARE(_opened.size(), 2);
    QCOMPARE(_opened[0], QUrl("https://www.zefra.org/"));
    QCOMPARE(_opened[1].scheme(), QString("https"));
}

void WindowTest::commandsKeepTheirIds() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    CMainFrame* frame = shell.mainFrame();
    const std::pair<int, const char*> menuItems[] = {
        {57600, "&New\tCtrl+N"},      {57601, "&Open...\tCtrl+O"}, {57603, "&Save\tCtrl+S"},
        {57604, "Save &As..."},       {57607, "&Print...\tCtrl+P"}, {57609, "Print Pre&view"},
        {57606, "P&rint Setup..."},   {57665, "E&xit"},            {57643, "&Undo\tCtrl+Z"},
        {57635, "Cu&t\tCtrl+X"},      {57634, "&Copy\tCtrl+C"},    {57637, "&Paste\tCtrl+V"},
        {57636, "&Find...\tCtrl+F"},  {57640, "Find Next\tF3"},    {32771, "&Go To... \tCtrl+G"},
        {59392, "&Toolbar"},          {59393, "&Status Bar"},      {57664, "&About zefra..."},
        {32773, "&Zefra website"},    {32775, "&Improve your Java code"},
    };
    for (const auto& [id, text] : menuItems) {
        QAction* item = frame->action(id);
        QVERIFY2(item, qPrintable(QString::number(id)));
        QCOMPARE(item->text(), QString(text));
        QCOMPARE(item->data().toInt(), id);
    }
    QCOMPARE(frame->action(32771)->statusTip(), QString("Go to the specified line"));
    QVERIFY(frame->action(57634)->shortcuts().contains(QKeySequence("Ctrl+Ins")));
    QVERIFY(frame->action(57680)->shortcuts().contains(QKeySequence("F6")));
    QList<int> buttons;
    for (QAction* button : frame->findChild<QToolBar*>()->actions()) {
        buttons << (button->isSeparator() ? 0 : button->data().toInt());
    }
    QCOMPARE(buttons, (QList<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0, 57664}));
}

void WindowTest::dropAsksBeforeReplacingAModifiedText() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    QTest::keyClicks(frame->editView(), "edit ");
    writeAll(_scratch + "Other.class", "class Other {}\n");
    answers.push(pressButton(QMessageBox::Cancel));
    dropFiles(frame->editView()->viewport(), {QUrl::fromLocalFile(_scratch + "Other.class")});
    QVERIFY(waitForRun(frame));
    QCOMPARE(answers.boxes, QStringList{"zefra|Save changes to Shapes.java?"});
    QCOMPARE(engineRuns().size(), 1);
    QCOMPARE(QByteArray::fromStdString(frame->editView()->getWholeText()), "edit " + shapesText());

    answers.push(pressButton(QMessageBox::No));
    dropFiles(frame->editView()->viewport(), {QUrl::fromLocalFile(_scratch + "Other.class")});
    QVERIFY(waitForRun(frame));
    QCOMPARE(answers.boxes.size(), 2);
    QCOMPARE(frame->windowTitle(), QString("Other.java - zefra"));
}

// A file of that name in the program's folder, saved from another class of
// the same name, is not replaced without the dialog.
void WindowTest::firstSaveAsksEvenWhenTheProposedFileExists() {
    writeAll(applicationDirectory() + "Shapes.java", "other class");
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    answers.push(pressButton(QDialog::Rejected));
    QVERIFY(!shell.document()->doFileSave());
    QCOMPARE(answers.dialogCount, 1);
    QCOMPARE(readAll(applicationDirectory() + "Shapes.java"), QByteArray("other class"));
    QFile::remove(applicationDirectory() + "Shapes.java");
}

void WindowTest::engineThatWritesNothingShowsNoOlderText() {
    ModalAnswers answers;
    ApplicationShell shell;
    const QString name = "Same-engine-writes-nothing";
    writeAll(_scratch + name + ".class", "class Same {}\n");
    writeAll(applicationDirectory() + "jad/tmp/" + name + ".java", "// old\r\n\r\nclass Older {}\r\n");
    QVERIFY(startAndWait(shell, {"zefra", _scratch + name + ".class"}));
    QCOMPARE(answers.boxes.size(), 1);
    QVERIFY2(answers.boxes[0].contains("An error occured when trying to open the file for reading."),
             qPrintable(answers.boxes[0]));
    QVERIFY(shell.mainFrame()->editView()->getWholeText().find("Older") == std::string::npos);
}

void WindowTest::longTreeEntriesShowWholeAndTheCurrentOneChoosesAgain() {
    ModalAnswers answers;
    ApplicationShell shell;
    const QString longName = "f(" + QString("int parameterWithAVeryLongName, ").repeated(8) + "int last)";
    writeAll(_scratch + "Long.class", ("class Long {\n    void " + longName + " { }\n    int x;\n}\n").toUtf8());
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Long.class"}));
    CMainFrame* frame = shell.mainFrame();
    CLeftView* tree = frame->treeView();
    QTreeWidgetItem* item = findItem(tree, longName);
    QVERIFY(item);
    QCOMPARE(item->toolTip(0), longName);
    QVERIFY(tree->columnWidth(0) >= tree->fontMetrics().horizontalAdvance(longName));
    // The scroll range follows the column width once the view has laid itself out.
    QTRY_VERIFY(tree->horizontalScrollBar()->maximum() > 0);

    tree->setCurrentItem(item);
    frame->editView()->setSelection(0, 0);
    const QPoint where = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, where);
    QCOMPARE(frame->editView()->textCursor().blockNumber(), 1);
    frame->editView()->setSelection(0, 0);
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(frame->editView()->textCursor().blockNumber(), 1);
}

void WindowTest::windowAnswersWhileTheEngineRunsAndCancelEndsIt() {
    ModalAnswers answers;
    ApplicationShell shell;
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Shapes.class"}));
    CMainFrame* frame = shell.mainFrame();
    writeAll(_scratch + "Slow-engine-sleeps.class", "class Slow {}\n");
    frame->openDocumentFile(_scratch + "Slow-engine-sleeps.class");
    QVERIFY(frame->delegate()->isDecompiling());
    QCOMPARE(frame->statusBar()->currentMessage(), QString::fromUtf8("Decompiling Slow-engine-sleeps.class\u2026"));
    QCOMPARE(frame->cursor().shape(), Qt::BusyCursor);
    QVERIFY(frame->action(command::CANCEL_DECOMPILING)->isEnabled());
    QVERIFY(!frame->action(command::FILE_OPEN)->isEnabled());
    QVERIFY(frame->editView()->isReadOnly());

    // It repaints and answers its menus and commands meanwhile.
    QTest::qWait(300);
    QImage picture = frame->grab().toImage();
    QVERIFY(!picture.isNull());
    QMenu* edit = nullptr;
    for (QAction* menu : frame->menuBar()->actions()) {
        if (menu->text() == "&Edit") edit = menu->menu();
    }
    QVERIFY(edit);
    edit->popup(frame->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(edit->isVisible());
    edit->hide();
    answers.push(pressButton(QDialog::Rejected));
    frame->action(command::GO_TO)->trigger();
    QCOMPARE(answers.dialogCount, 1);
    QVERIFY(frame->delegate()->isDecompiling());

    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(frame->editView(), Qt::Key_Escape);
    QVERIFY(QTest::qWaitFor([frame] { return !frame->delegate()->isDecompiling(); }, 1000));
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(frame->statusBar()->currentMessage(), QString("Decompiling cancelled."));
    QCOMPARE(answers.boxes, QStringList());
    QCOMPARE(frame->windowTitle(), QString("Shapes.java - zefra"));
    QVERIFY(!frame->editView()->isReadOnly());
    QVERIFY(frame->action(command::FILE_OPEN)->isEnabled());
    QCOMPARE(frame->cursor().shape(), Qt::ArrowCursor);
}

void WindowTest::engineFailureShowsTheEnginesReason() {
    ModalAnswers answers;
    ApplicationShell shell;
    writeAll(_scratch + "Bad-engine-fails.class", "x");
    QVERIFY(startAndWait(shell, {"zefra", _scratch + "Bad-engine-fails.class"}));
    QCOMPARE(answers.boxes, QStringList{"Zefra - Java Decompiler Error|The decompiler engine failed. The "
                                        "decompiler returned a non zero exit code. The engine reported: "
                                        "fake engine: cannot read Bad-engine-fails.class"});
}

void WindowTest::windowRemembersItsStateAndTheOpenFolder() {
    ModalAnswers answers;
    QList<int> sizes;
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra"}));
        CMainFrame* frame = shell.mainFrame();
        frame->resize(700, 500);
        frame->splitter()->setSizes({320, 380});
        sizes = frame->splitter()->sizes();
        frame->action(command::VIEW_TOOLBAR)->trigger();
        frame->action(command::VIEW_STATUS_BAR)->trigger();
        QVERIFY(frame->findChild<QToolBar*>()->isHidden());
        QString firstFilter;
        bool native = false;
        answers.push([&firstFilter, &native, this](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            firstFilter = files.nameFilters().value(0);
            native = !files.testOption(QFileDialog::DontUseNativeDialog);
            files.selectFile(_scratch + "Shapes.class");
            return int(QDialog::Accepted);
        });
        frame->action(command::FILE_OPEN)->trigger();
        QCOMPARE(firstFilter, QString("Class files (*.class)"));
        QVERIFY(native);
        QVERIFY(waitForRun(frame));
        QVERIFY(frame->close());
    }
    ApplicationShell shell;
    QVERIFY(shell.start({"zefra"}));
    CMainFrame* frame = shell.mainFrame();
    QCOMPARE(frame->size(), QSize(700, 500));
    QCOMPARE(frame->splitter()->sizes(), sizes);
    QVERIFY(frame->findChild<QToolBar*>()->isHidden());
    QVERIFY(!frame->action(command::VIEW_TOOLBAR)->isChecked());
    QVERIFY(frame->statusBar()->isHidden());
    QVERIFY(!frame->action(command::VIEW_STATUS_BAR)->isChecked());
    QString seenFolder;
    answers.push([&seenFolder](QDialog& dialog) {
        seenFolder = dynamic_cast<QFileDialog&>(dialog).directory().absolutePath() + "/";
        return int(QDialog::Rejected);
    });
    frame->action(command::FILE_OPEN)->trigger();
    QCOMPARE(seenFolder, _scratch);
}
