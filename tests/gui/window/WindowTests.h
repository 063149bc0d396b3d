#pragma once

#include <QObject>
#include <QList>
#include <QString>
#include <QUrl>

// The editor's text keeping, offsets and lines.
class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void keepsEveryByte_data();
    void keepsEveryByte();
    void showsUtf8AsUtf8();
    void newLinesTakeTheTextsUsualBreak();
    void offsetsAndLinesAgree();
    void filesDroppedOnTheEditorAreNotInserted();
};

// Go To Line, About and Find.
class DialogTest : public QObject {
    Q_OBJECT
private slots:
    void goToLineShowsTheNumberAndTakesDigitsOnly();
    void goToLineRefusesAnEmptyField();
    void goToLineCancelKeepsTheNumber();
    void aboutBoxHasItsTexts();
    void findDialogReportsItsRequest();
};

// The whole viewer, started as the program starts it.
class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsWithTheClassFileNamedOnTheCommandLine();
    void newDocumentIsNamedZefra();
    void choosingATreeItemSelectsItsLine();
    void enterAndDoubleClickMoveTheFocusToTheEditor();
    void dropOpensTheFirstFileOnly();
    void nonClassFileChangesNeitherTitleNorRecentList();
    void statusPaneFollowsCaretAndSelection();
    void goToLineCommandAnswersOutOfRangeNumbers();
    void saveAfterOpenProposesTheJavaNameAndKeepsTheClassFile();
    void modifiedTextIsNotDroppedWithoutAsking();
    void malformedConfigIsReportedAndHelpUsesTheDefault();
    void commandsKeepTheirIds();
    void dropAsksBeforeReplacingAModifiedText();
    void firstSaveAsksEvenWhenTheProposedFileExists();
    void engineThatWritesNothingShowsNoOlderText();
    void longTreeEntriesShowWholeAndTheCurrentOneChoosesAgain();
    void windowAnswersWhileTheEngineRunsAndCancelEndsIt();
    void engineFailureShowsTheEnginesReason();
    void windowRemembersItsStateAndTheOpenFolder();

public slots:
    void openUrl(const QUrl& url);

private:
    QString _scratch;
    QList<QUrl> _opened;
};

// View > Modern Java: the engine's -m and the modern grammar.
class ModernViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void isOffByDefaultAndTheClassicViewCannotReadModernJava();
    void onTheEngineGetsMAndTheTreeShowsModernJava();
    void theChoiceIsRemembered();
    void commandLineTurnsItOnForOneRun();

private:
    QString _scratch;
};
