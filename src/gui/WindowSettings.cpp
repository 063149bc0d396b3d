#include "gui/WindowSettings.h"

#include <QSettings>

namespace products {
namespace zefra {
namespace gui {
namespace settings {

namespace {
const char* const GEOMETRY = "Window/geometry";
const char* const DOCK_STATE = "Window/state";
const char* const SPLITTER = "Window/splitter";
const char* const STATUS_BAR = "Window/statusBar";
const char* const OPEN_FOLDER = "Open/folder";
const char* const ZOOM = "Editor/zoom";
}

WindowState loadWindowState() {
    QSettings store;
    WindowState state;
    state.geometry = store.value(GEOMETRY).toByteArray();
    state.dockState = store.value(DOCK_STATE).toByteArray();
    state.splitter = store.value(SPLITTER).toByteArray();
    state.statusBarVisible = store.value(STATUS_BAR, true).toBool();
    return state;
}

void saveWindowState(const WindowState& state) {
    QSettings store;
    store.setValue(GEOMETRY, state.geometry);
    store.setValue(DOCK_STATE, state.dockState);
    store.setValue(SPLITTER, state.splitter);
    store.setValue(STATUS_BAR, state.statusBarVisible);
}

QString lastOpenFolder() { return QSettings().value(OPEN_FOLDER).toString(); }

void setLastOpenFolder(const QString& folder) { QSettings().setValue(OPEN_FOLDER, folder); }

int editorZoom() { return QSettings().value(ZOOM, 0).toInt(); }

void setEditorZoom(int steps) { QSettings().setValue(ZOOM, steps); }

}
}
}
}
