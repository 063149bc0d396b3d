#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;
class QPushButton;

namespace products {
namespace zefra {
namespace gui {

// Asks for a line number. The range is the caller's to check; the dialog only
// insists on an unsigned decimal number.
class CGoToLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit CGoToLineDialog(QWidget* parent = nullptr);

    std::uint32_t m_lineNumber = 0;

    QLineEdit* lineNumberEdit() const { return _edit; }
    QPushButton* goToButton() const { return _goTo; }
    QPushButton* cancelButton() const { return _cancel; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* _edit;
    QPushButton* _goTo;
    QPushButton* _cancel;
};

// Parses an unsigned 32-bit decimal number; false for anything else.
bool parseUnsigned(const QString& text, std::uint32_t& value);

}
}
}
