#include "gui/CLeftView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "gui/Delegate.h"
#include "gui/QtShellServices.h"

namespace products {
namespace zefra {
namespace gui {

CLeftView::CLeftView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    // Long entries are shown whole: the column takes the width of its widest
    // entry and the tree scrolls sideways.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { onCurrentItemChanged(current); });
}

void CLeftView::initialUpdate() { Delegate::instance().registerTreeView(this); }

void CLeftView::deleteAllItems() { clear(); }

TreeItem CLeftView::insertItem(const std::string& text, int image, int /*selectedImage*/,
                               std::int32_t datum, TreeItem parent, bool hasChildren) {
    auto* item = new QTreeWidgetItem;
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    item->setText(0, shown);
    item->setToolTip(0, shown);
    if (_images) item->setIcon(0, _images->icon(image));
    item->setData(0, LINE_ROLE, datum);
    item->setChildIndicatorPolicy(hasChildren ? QTreeWidgetItem::ShowIndicator
                                              : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (parent == NO_TREE_ITEM) {
        addTopLevelItem(item);
    } else {
        reinterpret_cast<QTreeWidgetItem*>(parent)->addChild(item);
    }
    return reinterpret_cast<TreeItem>(item);
}

void CLeftView::expand(TreeItem item) {
    if (item != NO_TREE_ITEM) reinterpret_cast<QTreeWidgetItem*>(item)->setExpanded(true);
}

void CLeftView::setImageList(const ImageList& images) {
    _images = dynamic_cast<const QtImageList*>(&images);
    if (_images) setIconSize(QSize(_images->size(), _images->size()));
}

void CLeftView::addTreeStyles() {
    setRootIsDecorated(true);
    setItemsExpandable(true);
}

void CLeftView::onCurrentItemChanged(QTreeWidgetItem* current) {
    if (current && Delegate::hasInstance()) {
        Delegate::instance().selectTreeItemLine(current->data(0, LINE_ROLE).toInt());
    }
}

// Choosing the entry that is already current selects its line again: the
// caret may have moved away from it since.
void CLeftView::chooseCurrentAgain() {
    onCurrentItemChanged(currentItem());
}

void CLeftView::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::mousePressEvent(event);
    if (before && before == currentItem() && itemAt(event->position().toPoint()) == before) {
        chooseCurrentAgain();
    }
}

void CLeftView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        chooseCurrentAgain();
        Delegate::instance().focusEditView();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CLeftView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    Delegate::instance().focusEditView();
}

}
}
}
