#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ModalAnswers.h"
#include "WindowTests.h"
#include "gui/CAboutDialog.h"
#include "gui/CGoToLineDialog.h"
#include "gui/FindDialog.h"

using namespace products::zefra::gui;

void DialogTest::goToLineShowsTheNumberAndTakesDigitsOnly() {
    CGoToLineDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("Go To Line"));
    QCOMPARE(dialog.m_lineNumber, 0u);
    dialog.m_lineNumber = 42;
    dialog.show();
    QCOMPARE(dialog.lineNumberEdit()->text(), QString("42"));
    QCOMPARE(dialog.lineNumberEdit()->property("controlId").toInt(), 1000);
    QVERIFY(dialog.goToButton()->isDefault());
    QCOMPARE(dialog.goToButton()->text(), QString("&Go to"));
    QCOMPARE(dialog.cancelButton()->text(), QString("Cancel"));
    QVERIFY(dialog.findChild<QLabel*>()->text() == "Go to line:");

    dialog.lineNumberEdit()->clear();
    QTest::keyClicks(dialog.lineNumberEdit(), "1x2-3 ");
    QCOMPARE(dialog.lineNumberEdit()->text(), QString("123"));
    QTest::keyClick(dialog.lineNumberEdit(), Qt::Key_Return);  // the default button
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_lineNumber, 123u);
}

void DialogTest::goToLineRefusesAnEmptyField() {
    ModalAnswers answers;
    CGoToLineDialog dialog;
    dialog.m_lineNumber = 7;
    dialog.show();
    dialog.lineNumberEdit()->clear();
    dialog.goToButton()->click();
    QCOMPARE(answers.boxes, QStringList{"zefra|Please enter a positive integer."});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.m_lineNumber, 7u);

    dialog.lineNumberEdit()->setText("99999999999");  // beyond 32 bits
    dialog.goToButton()->click();
    QCOMPARE(answers.boxes.size(), 2);
    QVERIFY(dialog.isVisible());

    dialog.lineNumberEdit()->setText("0");
    dialog.goToButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.m_lineNumber, 0u);
}

void DialogTest::goToLineCancelKeepsTheNumber() {
    CGoToLineDialog dialog;
    dialog.m_lineNumber = 5;
    dialog.show();
    dialog.lineNumberEdit()->setText("9");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.m_lineNumber, 5u);
}

void DialogTest::aboutBoxHasItsTexts() {
    CAboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("About zefra"));
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("zefra Java Decompiler 1.11"));
    auto* ok = dialog.findChild<QPushButton*>();
    QVERIFY(ok->isDefault());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

void DialogTest::findDialogReportsItsRequest() {
    FindDialog dialog;
    dialog.show();
    QVERIFY(!dialog.findNextButton()->isEnabled());
    QTest::keyClicks(dialog.findWhatEdit(), "count");
    dialog.findChild<QCheckBox*>()->setChecked(true);  // whole word
    for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
        if (radio->text() == "&Up") radio->setChecked(true);
    }
    FindRequest seen;
    connect(&dialog, &FindDialog::findNext, this, [&seen](const FindRequest& r) { seen = r; });
    dialog.findNextButton()->click();
    QCOMPARE(seen.text, QString("count"));
    QVERIFY(seen.wholeWord);
    QVERIFY(!seen.matchCase);
    QVERIFY(!seen.down);
    QVERIFY(seen.flags().testFlag(QTextDocument::FindBackward));
}
