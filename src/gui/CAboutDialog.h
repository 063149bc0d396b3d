#pragma once

#include <QDialog>

namespace products {
namespace zefra {
namespace gui {

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}
}
}
