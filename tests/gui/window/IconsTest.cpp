#include <QImage>
#include <QPixmap>
#include <QtTest>

#include "IconsTests.h"
#include "gui/CommandIds.h"
#include "gui/Icons.h"
#include "gui/TreeImages.h"

using namespace products::zefra;

namespace {

int paintedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
    }
    return count;
}

// The picture comes at the device's size, and covers about the share of its
// square it covers at 1x: it was drawn there, not handed back small.
void requireDrawnAt(const QIcon& icon, QSize logical, qreal ratio, const char* what) {
    const QPixmap pixmap = icon.pixmap(logical, ratio);
    const QSize device = (QSizeF(logical) * ratio).toSize();
    QVERIFY2(pixmap.size() == device, what);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    const QImage small = icon.pixmap(logical, 1.0).toImage();
    const QImage large = pixmap.toImage();
    QVERIFY2(paintedPixels(small) > 0, what);
    const double smallShare = double(paintedPixels(small)) / (small.width() * small.height());
    const double largeShare = double(paintedPixels(large)) / (large.width() * large.height());
    QVERIFY2(qAbs(smallShare - largeShare) < 0.15, what);
}

}

void IconsTest::sharpAtTwiceTheScale() {
    for (int id : gui::TREE_ICON_IDS) {
        requireDrawnAt(gui::iconForId(id), QSize(16, 16), 2.0, "tree icon");
    }
    // The commands whose pictures are our own, whatever the desktop theme.
    for (int command : {gui::command::EDIT_CUT, gui::command::EDIT_COPY, gui::command::EDIT_PASTE,
                        gui::command::FILE_PRINT}) {
        requireDrawnAt(gui::toolbarIcon(command), QSize(16, 15), 2.0, "toolbar icon");
    }
}

void IconsTest::applicationIconUpTo256Pixels() {
    const QIcon icon = gui::iconForId(128);
    QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
    requireDrawnAt(icon, QSize(256, 256), 1.0, "application icon");
    requireDrawnAt(gui::iconForId(129), QSize(48, 48), 2.0, "document icon");
}

void IconsTest::disabledPicturesAreFainter() {
    const QIcon icon = gui::toolbarIcon(gui::command::EDIT_COPY);
    const QImage normal = icon.pixmap(QSize(16, 15), 1.0, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 15), 1.0, QIcon::Disabled).toImage();
    int normalAlpha = 0, disabledAlpha = 0;
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            normalAlpha += qAlpha(normal.pixel(x, y));
            disabledAlpha += qAlpha(disabled.pixel(x, y));
        }
    }
    QVERIFY(disabledAlpha < normalAlpha);
}
