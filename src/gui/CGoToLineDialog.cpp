#include "gui/CGoToLineDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "gui/CommandIds.h"
#include "gui/ModalRunner.h"

namespace products {
namespace zefra {
namespace gui {

bool parseUnsigned(const QString& text, std::uint32_t& value) {
    if (text.isEmpty() || text.size() > 10) return false;
    std::uint64_t result = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return false;
        result = result * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
    }
    if (result > UINT32_MAX) return false;
    value = static_cast<std::uint32_t>(result);
    return true;
}

CGoToLineDialog::CGoToLineDialog(QWidget* parent)
    : QDialog(parent), _edit(new QLineEdit(this)), _goTo(new QPushButton("&Go to", this)),
      _cancel(new QPushButton("Cancel", this)) {
    setWindowTitle("Go To Line");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* label = new QLabel("Go to line:", this);
    _edit->setObjectName("lineNumberEdit");
    _edit->setProperty("controlId", control::LINE_NUMBER);
    _edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), _edit));
    label->setBuddy(_edit);
    _goTo->setProperty("controlId", control::OK);
    _goTo->setDefault(true);
    _cancel->setProperty("controlId", control::CANCEL);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(_edit, 0, 1);
    layout->addWidget(_goTo, 0, 2);
    layout->addWidget(_cancel, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(_goTo, &QPushButton::clicked, this, &CGoToLineDialog::accept);
    connect(_cancel, &QPushButton::clicked, this, &CGoToLineDialog::reject);
}

void CGoToLineDialog::showEvent(QShowEvent* event) {
    _edit->setText(QString::number(m_lineNumber));
    _edit->selectAll();
    _edit->setFocus();
    QDialog::showEvent(event);
}

void CGoToLineDialog::accept() {
    std::uint32_t value = 0;
    if (!parseUnsigned(_edit->text(), value)) {
        QMessageBox box(QMessageBox::Warning, "zefra", "Please enter a positive integer.",
                        QMessageBox::Ok, this);
        runModal(box);
        _edit->setFocus();
        _edit->selectAll();
        return;
    }
    m_lineNumber = value;
    QDialog::accept();
}

}
}
}
