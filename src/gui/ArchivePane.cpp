#include "gui/ArchivePane.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "archive/ClassArchive.h"

namespace products {
namespace zefra {
namespace gui {

ArchivePane::ArchivePane(QWidget* parent) : QWidget(parent) {
    setObjectName("archivePane");
    _filter = new QLineEdit(this);
    _filter->setObjectName("archiveFilter");
    _filter->setPlaceholderText("Filter classes");
    _filter->setClearButtonEnabled(true);
    _model = new QStandardItemModel(this);
    _proxy = new QSortFilterProxyModel(this);
    _proxy->setSourceModel(_model);
    _proxy->setFilterRole(FILTER_ROLE);
    _proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    // A package stays while any of its classes matches.
    _proxy->setRecursiveFilteringEnabled(true);
    _tree = new QTreeView(this);
    _tree->setObjectName("archiveTree");
    _tree->setModel(_proxy);
    _tree->setHeaderHidden(true);
    _tree->setUniformRowHeights(true);
    _tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    _tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    _tree->header()->setStretchLastSection(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(_filter);
    layout->addWidget(_tree);
    connect(_filter, &QLineEdit::textChanged, this, &ArchivePane::onFilterChanged);
    connect(_tree, &QTreeView::activated, this, &ArchivePane::onActivated);
    connect(_tree, &QTreeView::clicked, this, &ArchivePane::onActivated);
}

void ArchivePane::showArchive(const archive::ClassArchive& archive) {
    clear();
    QStandardItem* root = _model->invisibleRootItem();
    QStandardItem* package = nullptr;
    QString packageName;
    for (const archive::ArchivedClass& archived : archive.topLevelClasses()) {
        const QString name = QString::fromStdString(archived.packageName);
        if (!package || name != packageName) {
            packageName = name;
            package = new QStandardItem(name.isEmpty() ? QString(DEFAULT_PACKAGE) : name);
            package->setData(name, FILTER_ROLE);
            package->setToolTip(package->text());
            root->appendRow(package);
        }
        const QString qualified = QString::fromStdString(archived.qualifiedName());
        auto* item = new QStandardItem(QString::fromStdString(archived.simpleName));
        item->setData(qualified, CLASS_NAME_ROLE);
        item->setData(qualified, FILTER_ROLE);
        item->setToolTip(qualified);
        package->appendRow(item);
    }
}

void ArchivePane::clear() {
    _model->clear();
    _filter->clear();
}

void ArchivePane::onFilterChanged(const QString& text) {
    _proxy->setFilterFixedString(text);
    if (!text.isEmpty()) _tree->expandAll();
}

void ArchivePane::onActivated(const QModelIndex& index) {
    const QString name = index.data(CLASS_NAME_ROLE).toString();
    if (!name.isEmpty()) emit classChosen(name);
}

int ArchivePane::visibleClassCount() const {
    int count = 0;
    for (int row = 0; row < _proxy->rowCount(); ++row) count += _proxy->rowCount(_proxy->index(row, 0));
    return count;
}

bool ArchivePane::chooseClass(const QString& qualifiedName) {
    const QModelIndexList found = _model->match(_model->index(0, 0), CLASS_NAME_ROLE, qualifiedName, 1,
                                                Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) return false;
    const QModelIndex shown = _proxy->mapFromSource(found.constFirst());
    if (shown.isValid()) {
        _tree->setCurrentIndex(shown);
        _tree->scrollTo(shown);
    }
    emit classChosen(qualifiedName);
    return true;
}

}
}
}
