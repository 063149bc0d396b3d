#include "ModalAnswers.h"

#include <QMessageBox>
#include <QPushButton>

ModalAnswers::ModalAnswers()
    : _previous(products::zefra::gui::setModalHook([this](QDialog& d) { return answer(d); })) {}

ModalAnswers::~ModalAnswers() { products::zefra::gui::setModalHook(_previous); }

int ModalAnswers::answer(QDialog& dialog) {
    ++dialogCount;
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (box) boxes.append(box->windowTitle() + "|" + box->text());
    if (!_answers.empty()) {
        Answer next = std::move(_answers.front());
        _answers.pop_front();
        return next(dialog);
    }
    if (box) {
        QPushButton* button = box->defaultButton();
        return button ? box->standardButton(button) : QMessageBox::Ok;
    }
    return QDialog::Rejected;
}
