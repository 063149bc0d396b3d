#include "gui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "gui/ModalRunner.h"
#include "platform/messagebox/MessageBoxHook.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

using platform::MessageBoxKind;
using platform::MessageBoxResult;

MessageBoxResult showBox(const std::string& caption, const std::string& text,
                         MessageBoxKind kind) {
    const bool report = kind == MessageBoxKind::AssertionReport;
    const QMessageBox::Icon icon = kind == MessageBoxKind::Error ? QMessageBox::Critical
                                   : report                      ? QMessageBox::Warning
                                                                 : QMessageBox::Information;
    const QMessageBox::StandardButtons buttons =
        report ? QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore : QMessageBox::Ok;
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(report ? QMessageBox::Abort : QMessageBox::Ok);
    switch (runModal(box)) {
    case QMessageBox::Abort: return MessageBoxResult::Abort;
    case QMessageBox::Retry: return MessageBoxResult::Retry;
    case QMessageBox::Ignore: return MessageBoxResult::Ignore;
    default: return report ? MessageBoxResult::Ignore : MessageBoxResult::Ok;
    }
}

// A failed check on the decompiling thread is reported by the GUI thread,
// which alone may show windows; the worker waits for the answer.
MessageBoxResult showBoxOnGuiThread(const std::string& caption, const std::string& text,
                                    MessageBoxKind kind) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) {
        return showBox(caption, text, kind);
    }
    MessageBoxResult result = MessageBoxResult::Ok;
    QMetaObject::invokeMethod(
        application, [&] { result = showBox(caption, text, kind); }, Qt::BlockingQueuedConnection);
    return result;
}

}

QtMessageBoxes::QtMessageBoxes() : _previous(platform::setMessageBoxHook(showBoxOnGuiThread)) {}

QtMessageBoxes::~QtMessageBoxes() { platform::setMessageBoxHook(_previous); }

}
}
}
