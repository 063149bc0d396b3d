#pragma once

#include <QString>
#include <QStringList>

namespace products {
namespace zefra {
namespace gui {

// The recent-file list, most recent first, kept in the application's settings
// ("Recent File List", File1 to FileN) and written back on every change.
class RecentFileList {
public:
    static constexpr const char* GROUP = "Recent File List";

    explicit RecentFileList(int capacity);

    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& entries() const { return _entries; }
    int capacity() const { return _capacity; }

    // Menu text of entry index: "&1 " and the path, shortened to fit.
    QString menuText(int index) const;

private:
    void load();
    void save() const;

    int _capacity;
    QStringList _entries;
};

}
}
}
