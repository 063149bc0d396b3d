#pragma once

#include <QTreeWidget>

#include "gui/Partners.h"

namespace products {
namespace zefra {
namespace gui {

class QtImageList;

// The class-structure tree. Each item keeps its declaration's 0-based line.
class CLeftView : public QTreeWidget, public TreeViewPartner {
    Q_OBJECT
public:
    static constexpr int LINE_ROLE = Qt::UserRole;

    explicit CLeftView(QWidget* parent = nullptr);

    // The framework's initial update: registers with the mediator.
    void initialUpdate();

    void deleteAllItems() override;
    TreeItem insertItem(const std::string& text, int image, int selectedImage,
                        std::int32_t datum, TreeItem parent, bool hasChildren) override;
    void expand(TreeItem item) override;
    void setImageList(const ImageList& images) override;
    void addTreeStyles() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onCurrentItemChanged(QTreeWidgetItem* current);
    void chooseCurrentAgain();

    const QtImageList* _images = nullptr;
};

}
}
}
