// The viewer's window tests, on Qt's offscreen platform. The settings go to
// a folder beside the program, never to the user's own.
#include <QApplication>
#include <QSettings>
#include <QtTest>

#include "ArchiveToolsTests.h"
#include "ArchiveWindowTests.h"
#include "CodeEditorTests.h"
#include "IconsTests.h"
#include "WindowTests.h"
#include "gui/CZefraApp.h"
#include "windows/file/FileSystemHelpers.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    products::zefra::gui::CZefraApp::applyIdentity();
    const QString settings =
        QString::fromStdString(windows::file::getApplicationDirectory()) + "settings";
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    int failures = 0;
    {
        EditorTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        CodeEditorTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        IconsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        DialogTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        WindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ModernViewTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ArchiveWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ArchiveToolsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
