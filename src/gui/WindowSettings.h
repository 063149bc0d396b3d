#pragma once

#include <QByteArray>
#include <QString>

namespace products {
namespace zefra {
namespace gui {

// What the window remembers between sessions, in the application's settings
// (QSettings, so a test can point them at a folder of its own).
namespace settings {

struct WindowState {
    QByteArray geometry;
    QByteArray dockState;  // the toolbar's place and visibility
    QByteArray splitter;
    bool statusBarVisible = true;
};

// Empty fields when nothing was saved yet.
WindowState loadWindowState();
void saveWindowState(const WindowState& state);

// The folder the Open dialog was last left in; empty when none.
QString lastOpenFolder();
void setLastOpenFolder(const QString& folder);

// The editor's zoom in steps from the usual font size; 0 when none saved.
int editorZoom();
void setEditorZoom(int steps);

}

}
}
}
