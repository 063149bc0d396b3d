#include <QMimeData>
#include <QSignalSpy>
#include <QTextBlock>
#include <QUrl>
#include <QtTest>

#include "WindowTests.h"
#include "gui/CZefraView.h"

using products::zefra::gui::CZefraView;

Q_DECLARE_METATYPE(std::string)

void EditorTest::keepsEveryByte_data() {
    QTest::addColumn<std::string>("bytes");
    QTest::newRow("empty") << std::string();
    QTest::newRow("crlf") << std::string("class A\r\n{\r\n}\r\n");
    QTest::newRow("mixed breaks") << std::string("a\r\nb\nc\rd\r\r\n\n\re");
    QTest::newRow("invalid utf-8") << std::string("\xff\xfe x \xc3 \xe2\x82 \xed\xa0\x80 \xc0\xaf");
    QTest::newRow("characters the editor alters")
        << std::string("p\xe2\x80\xa9q \xef\xb7\x90 \xc2\xa0 \xe2\x80\xa8 \t end");
    QTest::newRow("zero and astral") << std::string("a\0b \xf0\x9f\x98\x80", 9);
}

void EditorTest::keepsEveryByte() {
    QFETCH(std::string, bytes);
    CZefraView view;
    view.setWholeText(bytes);
    QCOMPARE(view.getWholeText(), bytes);
}

void EditorTest::showsUtf8AsUtf8() {
    CZefraView view;
    view.setWholeText("String s = \"caf\xc3\xa9\";\r\n");
    QCOMPARE(view.document()->firstBlock().text(), QString::fromUtf8("String s = \"caf\xc3\xa9\";"));
    QCOMPARE(view.getLineCount(), 2);
}

void EditorTest::newLinesTakeTheTextsUsualBreak() {
    CZefraView view;
    view.setWholeText("one\r\ntwo\r\nodd\nlast");
    QTextCursor cursor(view.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    view.setTextCursor(cursor);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClicks(&view, "new");
    QCOMPARE(view.getWholeText(), std::string("one\r\ntwo\r\nnew\r\nodd\nlast"));

    view.setWholeText("unix\nlines");
    view.moveCursor(QTextCursor::End);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(view.getWholeText(), std::string("unix\nlines\n"));
}

void EditorTest::offsetsAndLinesAgree() {
    CZefraView view;
    view.setWholeText("ab\r\n\xc3\xa9t\r\nxyz");
    QCOMPARE(view.getLineCount(), 3);
    QCOMPARE(view.lineIndex(1), 3);
    QCOMPARE(view.lineLength(1), 2);  // one character for the two bytes of e acute
    QCOMPARE(view.lineIndex(2), 6);
    QCOMPARE(view.lineFromChar(5), 1);
    QCOMPARE(view.lineIndex(7), -1);
    view.setSelection(8, 4);
    int start = 0, end = 0;
    view.getSelection(start, end);
    QCOMPARE(start, 4);
    QCOMPARE(end, 8);
    QCOMPARE(view.lineFromChar(-1), 1);
    QCOMPARE(view.lineIndex(-1), 3);  // the caret stands at 4, on line 1
    view.setSelection(2, 1000);  // beyond the end: clamped
    view.getSelection(start, end);
    QCOMPARE(end, 9);
}

void EditorTest::filesDroppedOnTheEditorAreNotInserted() {
    CZefraView view;
    view.setWholeText("text");
    QSignalSpy dropped(&view, &CZefraView::filesDropped);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/A.class"), QUrl::fromLocalFile("/tmp/B.class")});
    mime.setText("file:///tmp/A.class");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.at(0).at(0).toStringList().value(0), QString("/tmp/A.class"));
    QCOMPARE(view.getWholeText(), std::string("text"));
}
