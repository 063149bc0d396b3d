#include "gui/QtShellServices.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QString>
#include <QUrl>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <cstdlib>
#include <thread>

#include "gui/CGoToLineDialog.h"
#include "gui/Icons.h"
#include "gui/ModalRunner.h"

namespace products {
namespace zefra {
namespace gui {

void QtImageList::addIcon(int iconId) { _icons.push_back(iconForId(iconId)); }

QIcon QtImageList::icon(int index) const {
    if (index < 0 || index >= imageCount()) return QIcon();
    return _icons[static_cast<std::size_t>(index)];
}

std::unique_ptr<ImageList> QtShellServices::createImageList(int width, int /*height*/) {
    return std::make_unique<QtImageList>(width);
}

// The face asked for is a Windows font; where it is missing any monospaced
// font of the same cell height serves.
std::unique_ptr<Font> QtShellServices::createFont(const std::string& face, int height,
                                                  int /*width*/) {
    QFont font(QString::fromStdString(face));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(height);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(height);
    }
    return std::make_unique<QtFont>(font);
}

bool QtShellServices::runGoToLineDialog(std::uint32_t& lineNumber) {
    CGoToLineDialog dialog;
    dialog.m_lineNumber = lineNumber;
    const bool accepted = runModal(dialog) == QDialog::Accepted;
    lineNumber = dialog.m_lineNumber;
    return accepted;
}

namespace {

// A std::thread for the work; done is posted to an object of the GUI thread.
// The thread is joined before that object goes, and a done step not yet run
// is dropped with it.
class QtBackgroundTask : public BackgroundTask {
public:
    QtBackgroundTask(std::function<void()> work, std::function<void()> done)
        : _context(new QObject) {
        QObject* context = _context;
        _thread = std::thread([work = std::move(work), done = std::move(done), context] {
            work();
            QMetaObject::invokeMethod(context, done, Qt::QueuedConnection);
        });
    }
    ~QtBackgroundTask() override {
        _thread.join();
        QCoreApplication::removePostedEvents(_context, QEvent::MetaCall);
        // Later: the task may go while its own done step runs.
        _context->deleteLater();
    }
    QtBackgroundTask(const QtBackgroundTask&) = delete;
    QtBackgroundTask& operator=(const QtBackgroundTask&) = delete;

private:
    QObject* _context;
    std::thread _thread;
};

}

std::unique_ptr<BackgroundTask> QtShellServices::runInBackground(std::function<void()> work,
                                                                 std::function<void()> done) {
    return std::make_unique<QtBackgroundTask>(std::move(work), std::move(done));
}

void QtShellServices::navigate(const std::wstring& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdWString(address)));
}

void QtShellServices::endProcess(int exitCode) { std::exit(exitCode); }

}
}
}
