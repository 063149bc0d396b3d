// The viewer with the real decompiler engine on a class file that javac
// made: the tree shows the class expanded with its members, the editor the
// engine's text, the title the Java name.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "gui/ApplicationShell.h"
#include "gui/CLeftView.h"
#include "gui/CMainFrame.h"
#include "gui/Delegate.h"
#include "gui/CZefraApp.h"
#include "gui/CZefraView.h"
#include "gui/ModalRunner.h"
#include "windows/file/FileSystemHelpers.h"

using namespace products::zefra::gui;

class RealEngineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void opensACompiledClass();

private:
    QString _folder;
};

void RealEngineTest::initTestCase() {
    _folder = QString::fromStdString(windows::file::getApplicationDirectory());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, _folder + "settings");
    CZefraApp::applyIdentity();
    QDir().mkpath(_folder + "jad");
    QFile::remove(_folder + "jad/jad");
    QVERIFY(QFile::link(ZEFRA_REAL_ENGINE, _folder + "jad/jad"));
}

void RealEngineTest::opensACompiledClass() {
    const QString scratch = _folder + "scratch/";
    QDir(scratch).removeRecursively();
    QDir().mkpath(scratch);
    QFile source(scratch + "Sample.java");
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("public class Sample {\n"
                 "    private int count;\n"
                 "    protected String name;\n"
                 "    public static final int MAX = 10;\n"
                 "    public Sample() {}\n"
                 "    private void reset() { count = 0; }\n"
                 "    public int size(int a) { return count + a; }\n"
                 "}\n");
    source.close();
    QProcess javac;
    javac.start(ZEFRA_JAVAC, {"-d", scratch, scratch + "Sample.java"});
    QVERIFY(javac.waitForFinished(120000));
    QCOMPARE(javac.exitCode(), 0);

    QStringList boxes;
    const ModalHook previous = setModalHook([&boxes](QDialog& dialog) {
        boxes << dialog.windowTitle();
        return 0;
    });
    {
        ApplicationShell shell;
        QVERIFY(shell.start({"zefra", scratch + "Sample.class"}));
        CMainFrame* frame = shell.mainFrame();
        QVERIFY(QTest::qWaitFor([frame] { return !frame->delegate()->isDecompiling(); }, 60000));
        QCOMPARE(boxes, QStringList());
        QCOMPARE(frame->windowTitle(), QString("Sample.java - zefra"));
        QTreeWidgetItem* root = frame->treeView()->topLevelItem(0);
        QVERIFY(root);
        QCOMPARE(root->text(0), QString("Sample"));
        QVERIFY(root->isExpanded());
        QStringList members;
        for (int i = 0; i < root->childCount(); ++i) members << root->child(i)->text(0);
        QVERIFY2(members.size() >= 5, qPrintable(members.join(", ")));
        QVERIFY2(members.contains("count"), qPrintable(members.join(", ")));
        QVERIFY(frame->editView()->getWholeText().find("class Sample") != std::string::npos);
    }
    setModalHook(previous);
    QDir(scratch).removeRecursively();
}

QTEST_MAIN(RealEngineTest)
#include "RealEngineTest.moc"
