#pragma once

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace products {
namespace zefra {
namespace gui {

// What to look for, as the Find dialog and Find Next share it.
struct FindRequest {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;

    QTextDocument::FindFlags flags() const;
};

// The modeless Find dialog: find what, whole word, match case, direction.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    FindRequest request() const;
    void setRequest(const FindRequest& request);

    QLineEdit* findWhatEdit() const { return _findWhat; }
    QPushButton* findNextButton() const { return _findNext; }

signals:
    void findNext(const FindRequest& request);

private:
    QLineEdit* _findWhat;
    QCheckBox* _wholeWord;
    QCheckBox* _matchCase;
    QRadioButton* _up;
    QRadioButton* _down;
    QPushButton* _findNext;
};

}
}
}
