#pragma once

#include <QObject>
#include <QString>

// Archives in the window: the archive pane, its filter, choosing a class, and
// the trust marks on members the engine could not decompile.
class ArchiveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void commandLineArchiveListsItsPackagesAndClasses();
    void choosingAClassShowsItAsAClassFileAndClosingRemovesItsFolder();
    void filterNarrowsTheTreeAsYouType();
    void membersWithTheFallbackBodyAreMarked();
    void aFileThatIsNoArchiveIsReportedAndChangesNothing();
    void thePaneShowsWithAnArchiveWhateverTheLastWindowLeft();

private:
    QString _scratch;
    QString _jar;
};
