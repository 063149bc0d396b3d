#include "gui/CAboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/CommandIds.h"
#include "gui/Icons.h"

namespace products {
namespace zefra {
namespace gui {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About zefra");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* icon = new QLabel(this);
    icon->setPixmap(iconForId(128).pixmap(QSize(32, 32), devicePixelRatioF()));
    auto* ok = new QPushButton("OK", this);
    ok->setProperty("controlId", control::OK);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel("zefra Java Decompiler 1.11", this), 0, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->addWidget(new QLabel("Copyright (C) the Zefra developers. All rights reserved.", this),
                      1, 1, 1, 2);
    layout->addWidget(
        new QLabel("The Jad decompiler engine is a separate program under its own licence.", this),
        2, 1, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}
}
}
