#include <QAction>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include "CodeEditorTests.h"
#include "gui/CZefraView.h"
#include "gui/JavaHighlighter.h"
#include "gui/JavaTokens.h"
#include "gui/LineNumberGutter.h"
#include "gui/TextSearch.h"

using namespace products::zefra::gui;

namespace {

QString kindsOf(const QString& line, JavaLineState state = JavaLineState::Code) {
    QStringList parts;
    const JavaLineTokens tokens = tokenizeJavaLine(line, state);
    for (const JavaTokenSpan& span : tokens.spans) {
        const char* names[] = {"K", "L", "S", "C", "A"};
        parts << QString("%1:%2").arg(names[static_cast<int>(span.kind)], line.mid(span.start, span.length));
    }
    return parts.join(' ');
}

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

}

void CodeEditorTest::tokensOfASample() {
    QCOMPARE(kindsOf("@Override public int f() { return 0x1F + 2.5e-3; } // done"),
             QString("A:@Override K:public K:int K:return L:0x1F L:2.5e-3 C:// done"));
    QCOMPARE(kindsOf("String s = \"a \\\" b\" + 'c' + null; @java.lang.Deprecated"),
             QString("S:\"a \\\" b\" S:'c' L:null A:@java.lang.Deprecated"));
    QCOMPARE(kindsOf("public @interface Tag {}"), QString("K:public K:@interface"));
    // Contextual words are keywords only where they declare something.
    QCOMPARE(kindsOf("record Point(int x) {} var record = 1; sealed interface"),
             QString("K:record K:int K:var L:1 K:sealed K:interface"));
    QCOMPARE(kindsOf("\"open"), QString("S:\"open"));
}

void CodeEditorTest::commentsAndTextBlocksGoOnToTheNextLine() {
    JavaLineTokens first = tokenizeJavaLine(u"int a; /* start", JavaLineState::Code);
    QCOMPARE(first.endState, JavaLineState::BlockComment);
    QCOMPARE(kindsOf("still */ int b;", first.endState), QString("C:still */ K:int"));
    JavaLineTokens text = tokenizeJavaLine(u"String t = \"\"\"", JavaLineState::Code);
    QCOMPARE(text.endState, JavaLineState::TextBlock);
    QCOMPARE(kindsOf("  a \\\"\"\" b\"\"\"; int", text.endState), QString("S:  a \\\"\"\" b\"\"\" K:int"));
}

void CodeEditorTest::highlightingKeepsTheTextAndTheLineBreaks() {
    const std::string bytes = "/* a\r\n b */\nclass A {\r\n  @Deprecated String s = \"x\";\r}\n";
    CZefraView view;
    QSignalSpy edited(&view, &CZefraView::edited);
    view.setWholeText(bytes);
    const auto formatAt = [&view](int line, int column) {
        const QTextBlock block = view.document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (column >= range.start && column < range.start + range.length) return range.format;
        }
        return QTextCharFormat();
    };
    const JavaFormats& formats = view.highlighter()->formats();
    QCOMPARE(formatAt(1, 1).foreground(), formats.comment.foreground());  // the comment's second line
    QCOMPARE(formatAt(2, 0).foreground(), formats.keyword.foreground());
    QCOMPARE(formatAt(3, 3).foreground(), formats.annotation.foreground());
    QCOMPARE(formatAt(3, 26).foreground(), formats.string.foreground());
    QCOMPARE(view.getWholeText(), bytes);
    // An edit colours the text again; the breaks and the other bytes stay.
    QTextCursor cursor(view.document()->findBlockByNumber(2));
    cursor.insertText("final ");
    QCOMPARE(view.getWholeText(), "/* a\r\n b */\nfinal class A {\r\n  @Deprecated String s = \"x\";\r}\n");
    QCOMPARE(edited.count(), 1);
    QPalette dark;
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, Qt::white);
    view.setPalette(dark);
    QCOMPARE(edited.count(), 1);  // colouring anew is no edit
}

void CodeEditorTest::coloursReadOnLightAndDarkBases() {
    for (const auto& [base, text] : {std::pair{QColor(Qt::white), QColor(Qt::black)},
                                     std::pair{QColor(30, 30, 30), QColor(230, 230, 230)}}) {
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        const JavaFormats formats = JavaFormats::forPalette(palette);
        for (JavaToken kind : {JavaToken::Keyword, JavaToken::Literal, JavaToken::String, JavaToken::Comment,
                               JavaToken::Annotation}) {
            const double ratio = contrast(formats.of(kind).foreground().color(), base);
            QVERIFY2(ratio >= 3.0, qPrintable(QString("kind %1 on %2: %3").arg(int(kind)).arg(base.name()).arg(ratio)));
        }
    }
}

void CodeEditorTest::gutterIsWideEnoughForTheLastLine() {
    CZefraView view;
    view.resize(400, 300);
    view.show();
    view.setWholeText("a\nb\nc");
    const int narrow = view.gutter()->width();
    QCOMPARE(narrow, view.gutter()->widthFor(99));
    std::string many;
    for (int i = 0; i < 1500; ++i) many += "line\n";
    view.setWholeText(many);
    QCOMPARE(view.gutter()->width(), view.gutter()->widthFor(1501));
    QVERIFY(view.gutter()->width() > narrow);
    QCOMPARE(view.viewport()->geometry().left(), view.gutter()->geometry().right() + 1);
    const auto shown = view.gutter()->numbersBetween(0, view.gutter()->height());
    QVERIFY(!shown.empty());
    QCOMPARE(shown.front().line, 1);
    view.verticalScrollBar()->setValue(700);
    QCOMPARE(view.gutter()->numbersBetween(0, view.gutter()->height()).front().line, 701);
}

void CodeEditorTest::zoomStepsAndIsRemembered() {
    QSettings().remove("Editor/zoom");
    CZefraView view;
    const qreal base = view.font().pointSizeF();
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
    view.zoomActions().at(0)->trigger();
    QCOMPARE(view.font().pointSizeF(), base + 2);
    QCOMPARE(QSettings().value("Editor/zoom").toInt(), 2);
    {
        CZefraView next;  // a new session starts at the remembered size
        QCOMPARE(next.zoomSteps(), 2);
        QCOMPARE(next.font().pointSizeF(), base + 2);
    }
    QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(view.font().pointSizeF(), base + 1);
    QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view.font().pointSizeF(), base);
    QCOMPARE(QSettings().value("Editor/zoom").toInt(), 0);
    for (int i = 0; i < 100; ++i) view.zoomBy(-1);
    QCOMPARE(view.zoomSteps(), CZefraView::MIN_ZOOM);
    QVERIFY(view.font().pointSizeF() >= 4);
    view.resetZoom();
}

void CodeEditorTest::findWrapsAroundAndSaysSo() {
    CZefraView view;
    view.setWholeText("int count;\ncount++;\nreturn;");
    view.setSelection(0, 0);
    QCOMPARE(findWrapping(view, "count", {}), SearchOutcome::Found);
    QCOMPARE(view.textCursor().selectionStart(), 4);
    QCOMPARE(findWrapping(view, "count", {}), SearchOutcome::Found);
    QCOMPARE(view.textCursor().selectionStart(), 11);
    QCOMPARE(findWrapping(view, "count", {}), SearchOutcome::FoundAfterWrapping);
    QCOMPARE(view.textCursor().selectionStart(), 4);
    QCOMPARE(findWrapping(view, "count", QTextDocument::FindBackward), SearchOutcome::FoundAfterWrapping);
    QCOMPARE(view.textCursor().selectionStart(), 11);
    QVERIFY(wrappedSearchMessage({}).contains("continued from the beginning"));
    QVERIFY(wrappedSearchMessage(QTextDocument::FindBackward).contains("continued from the end"));
    view.setSelection(2, 5);
    QCOMPARE(findWrapping(view, "absent", {}), SearchOutcome::NotFound);
    QCOMPARE(view.textCursor().selectionStart(), 2);  // the selection stays
    QCOMPARE(view.textCursor().selectionEnd(), 5);
}
