#pragma once

#include <QWidget>

class QLineEdit;
class QModelIndex;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

namespace archive {
class ClassArchive;
}

namespace products {
namespace zefra {
namespace gui {

// The packages and top-level classes of an open archive, with a filter box
// that narrows the tree to the names holding its text.
class ArchivePane : public QWidget {
    Q_OBJECT
public:
    // The qualified class name of a class row; empty for a package row.
    static constexpr int CLASS_NAME_ROLE = Qt::UserRole + 1;
    // What the filter matches: the qualified name of a class, the name of a package.
    static constexpr int FILTER_ROLE = Qt::UserRole + 2;
    static constexpr const char* DEFAULT_PACKAGE = "(default package)";

    explicit ArchivePane(QWidget* parent = nullptr);

    void showArchive(const archive::ClassArchive& archive);
    void clear();

    QLineEdit* filterBox() const { return _filter; }
    QTreeView* tree() const { return _tree; }
    // Rows the tree shows now: packages and classes.
    int visibleClassCount() const;
    // Selects the class's row as if the user had chosen it; false when absent.
    bool chooseClass(const QString& qualifiedName);

signals:
    void classChosen(const QString& qualifiedName);

private:
    void onFilterChanged(const QString& text);
    void onActivated(const QModelIndex& index);

    QLineEdit* _filter = nullptr;
    QTreeView* _tree = nullptr;
    QStandardItemModel* _model = nullptr;
    QSortFilterProxyModel* _proxy = nullptr;
};

}
}
}
