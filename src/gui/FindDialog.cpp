#include "gui/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace products {
namespace zefra {
namespace gui {

QTextDocument::FindFlags FindRequest::flags() const {
    QTextDocument::FindFlags result;
    if (matchCase) result |= QTextDocument::FindCaseSensitively;
    if (wholeWord) result |= QTextDocument::FindWholeWords;
    if (!down) result |= QTextDocument::FindBackward;
    return result;
}

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), _findWhat(new QLineEdit(this)),
      _wholeWord(new QCheckBox("Match &whole word only", this)),
      _matchCase(new QCheckBox("Match &case", this)), _up(new QRadioButton("&Up")),
      _down(new QRadioButton("&Down")), _findNext(new QPushButton("&Find Next", this)) {
    setWindowTitle("Find");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* label = new QLabel("Fi&nd what:", this);
    label->setBuddy(_findWhat);
    auto* cancel = new QPushButton("Cancel", this);
    auto* direction = new QGroupBox("Direction", this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(_up);
    directionLayout->addWidget(_down);
    _down->setChecked(true);
    _findNext->setDefault(true);
    _findNext->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(_findWhat, 0, 1, 1, 2);
    layout->addWidget(_findNext, 0, 3);
    layout->addWidget(_wholeWord, 1, 0, 1, 2);
    layout->addWidget(direction, 1, 2, 2, 1);
    layout->addWidget(cancel, 1, 3);
    layout->addWidget(_matchCase, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(_findWhat, &QLineEdit::textChanged, this,
            [this](const QString& text) { _findNext->setEnabled(!text.isEmpty()); });
    connect(_findNext, &QPushButton::clicked, this, [this] { emit findNext(request()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

FindRequest FindDialog::request() const {
    FindRequest result;
    result.text = _findWhat->text();
    result.matchCase = _matchCase->isChecked();
    result.wholeWord = _wholeWord->isChecked();
    result.down = _down->isChecked();
    return result;
}

void FindDialog::setRequest(const FindRequest& request) {
    _findWhat->setText(request.text);
    _findWhat->selectAll();
    _matchCase->setChecked(request.matchCase);
    _wholeWord->setChecked(request.wholeWord);
    (request.down ? _down : _up)->setChecked(true);
}

}
}
}
