#include "gui/CLeftView.h"

#include <QKeyEvent>

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
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { onCurrentItemChanged(current); });
}

void CLeftView::initialUpdate() { Delegate::instance().registerTreeView(this); }

void CLeftView::deleteAllItems() { clear(); }

TreeItem CLeftView::insertItem(const std::string& text, int image, int /*selectedImage*/,
                               std::int32_t datum, TreeItem parent, bool hasChildren) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
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

void CLeftView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
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
