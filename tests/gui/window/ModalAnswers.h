#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "gui/ModalRunner.h"

class QDialog;

// Answers the shell's modal dialogs in place of a user, so that no test ever
// waits in a modal loop. Queued answers are used in order; without one a
// message box gets its default button and any other dialog is cancelled.
class ModalAnswers {
public:
    using Answer = std::function<int(QDialog&)>;

    ModalAnswers();
    ~ModalAnswers();
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    void push(Answer answer) { _answers.push_back(std::move(answer)); }

    // Every message box shown: "caption|text".
    QStringList boxes;
    int dialogCount = 0;

private:
    int answer(QDialog& dialog);

    std::deque<Answer> _answers;
    products::zefra::gui::ModalHook _previous;
};
