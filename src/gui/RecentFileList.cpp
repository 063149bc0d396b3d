#include "gui/RecentFileList.h"

#include <QDir>
#include <QSettings>

namespace products {
namespace zefra {
namespace gui {

namespace {
constexpr int MENU_PATH_LENGTH = 60;

QString key(int index) { return QString("File%1").arg(index + 1); }
}

RecentFileList::RecentFileList(int capacity) : _capacity(capacity) { load(); }

void RecentFileList::load() {
    QSettings settings;
    settings.beginGroup(GROUP);
    for (int i = 0; i < _capacity; ++i) {
        const QString path = settings.value(key(i)).toString();
        if (!path.isEmpty() && !_entries.contains(path)) _entries.append(path);
    }
}

void RecentFileList::save() const {
    QSettings settings;
    settings.beginGroup(GROUP);
    for (int i = 0; i < _capacity; ++i) {
        if (i < _entries.size()) {
            settings.setValue(key(i), _entries.at(i));
        } else {
            settings.remove(key(i));
        }
    }
}

void RecentFileList::add(const QString& path) {
    _entries.removeAll(path);
    _entries.prepend(path);
    while (_entries.size() > _capacity) _entries.removeLast();
    save();
}

void RecentFileList::remove(const QString& path) {
    if (_entries.removeAll(path) > 0) save();
}

QString RecentFileList::menuText(int index) const {
    QString path = QDir::toNativeSeparators(_entries.value(index));
    if (path.size() > MENU_PATH_LENGTH) {
        path = "..." + path.right(MENU_PATH_LENGTH - 3);
    }
    path.replace("&", "&&");
    return QString("&%1 %2").arg(index + 1).arg(path);
}

}
}
}
