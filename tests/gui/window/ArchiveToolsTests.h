#pragma once

#include <QObject>
#include <QString>

// The archive's tools in the window: go to declaration and back, search in
// the archive, Save All Sources past a class that fails.
class ArchiveToolsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void goToDeclarationOpensTheClassAndBackAndForwardReturn();
    void controlClickOnAMemberSelectsItsLine();
    void searchListsAKnownHitAndOpensItAndDecompilesTheArchiveOnce();
    void aHitInAnotherClassLandsOnItsLineAndBackReturns();
    void saveAllSourcesToAFolderGoesPastAFailingClassAndReportsIt();
    void saveAllSourcesToAZipAndCancelOfALongRun();

private:
    QString _scratch;
    QString _jar;
};
