#pragma once

#include <QObject>

// The editor's colouring, line numbers, zoom and wrapping Find.
class CodeEditorTest : public QObject {
    Q_OBJECT
private slots:
    void tokensOfASample();
    void commentsAndTextBlocksGoOnToTheNextLine();
    void highlightingKeepsTheTextAndTheLineBreaks();
    void coloursReadOnLightAndDarkBases();
    void gutterIsWideEnoughForTheLastLine();
    void zoomStepsAndIsRemembered();
    void findWrapsAroundAndSaysSo();
};
