#include "gui/PaintedIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <utility>

namespace products {
namespace zefra {
namespace gui {

namespace {

class PaintedIconEngine : public QIconEngine {
public:
    PaintedIconEngine(IconPainting painting, QSizeF designSize)
        : _painting(std::move(painting)), _designSize(designSize) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal scale = qMin(rect.width() / _designSize.width(), rect.height() / _designSize.height());
        const QSizeF drawn = _designSize * scale;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - drawn.width()) / 2,
                           rect.y() + (rect.height() - drawn.height()) / 2);
        painter->scale(scale, scale);
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        _painting(*painter);
        painter->restore();
    }

    // The default pixmap() paints into a pixmap of the asked size; it
    // only needs a transparent start.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    // Window systems pick the window icon from these.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(_painting, _designSize); }

    QString key() const override { return QStringLiteral("zefra-painted"); }

private:
    IconPainting _painting;
    QSizeF _designSize;
};

}

QIcon paintedIcon(IconPainting painting, QSizeF designSize) {
    return QIcon(new PaintedIconEngine(std::move(painting), designSize));
}

}
}
}
