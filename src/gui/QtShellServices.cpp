#include "gui/QtShellServices.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QString>
#include <QUrl>
#include <cstdlib>

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

void QtShellServices::runGoToLineDialog(std::uint32_t& lineNumber) {
    CGoToLineDialog dialog;
    dialog.m_lineNumber = lineNumber;
    runModal(dialog);
    lineNumber = dialog.m_lineNumber;
}

void QtShellServices::navigate(const std::wstring& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdWString(address)));
}

void QtShellServices::endProcess(int exitCode) { std::exit(exitCode); }

}
}
}
