#include "gui/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "gui/CommandIds.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

const QColor CYAN(0, 170, 190);
const QColor MAGENTA(190, 0, 170);

enum class Access { Public, Protected, Private };

QPixmap blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A small isometric cube, the sign of a member.
void drawCube(QPainter& p, QRectF box, const QColor& colour) {
    const qreal x = box.x(), y = box.y(), w = box.width(), h = box.height();
    const QPointF top[] = {{x + w / 2, y}, {x + w, y + h / 4}, {x + w / 2, y + h / 2}, {x, y + h / 4}};
    const QPointF left[] = {{x, y + h / 4}, {x + w / 2, y + h / 2}, {x + w / 2, y + h}, {x, y + 3 * h / 4}};
    const QPointF right[] = {{x + w / 2, y + h / 2}, {x + w, y + h / 4}, {x + w, y + 3 * h / 4}, {x + w / 2, y + h}};
    p.setPen(QPen(colour.darker(200), 0.8));
    p.setBrush(colour.lighter(140));
    p.drawPolygon(top, 4);
    p.setBrush(colour);
    p.drawPolygon(left, 4);
    p.setBrush(colour.darker(140));
    p.drawPolygon(right, 4);
}

void drawPadlock(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 6, 5, 6), 0, 180 * 16);
    p.setPen(QPen(QColor(70, 70, 70), 0.8));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(0.5, 9, 7, 6));
}

void drawKey(QPainter& p) {
    p.setPen(QPen(QColor(140, 110, 0), 0.8));
    p.setBrush(QColor(240, 200, 0));
    p.drawEllipse(QRectF(0.5, 8, 5, 5));
    p.drawRect(QRectF(5, 10, 3.5, 1.6));
    p.drawRect(QRectF(7, 11.5, 1.5, 2.5));
}

QPixmap memberPixmap(int size, const QColor& colour, Access access) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    const QRectF cube = access == Access::Public ? QRectF(2, 2, 12, 12) : QRectF(5, 1, 10, 10);
    drawCube(p, cube, colour);
    if (access == Access::Private) drawPadlock(p);
    if (access == Access::Protected) drawKey(p);
    return pixmap;
}

QPixmap classPixmap(int size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(3.5, 6), QPointF(3.5, 12.5));
    p.drawLine(QPointF(3.5, 12.5), QPointF(9, 12.5));
    p.drawLine(QPointF(3.5, 7.5), QPointF(9, 7.5));
    const auto square = [&p](QRectF r, const QColor& c) {
        p.setPen(c.darker(200));
        p.setBrush(c);
        p.drawRect(r);
    };
    square(QRectF(0.5, 0.5, 6, 6), QColor(30, 60, 220));
    square(QRectF(9.5, 5, 5, 5), MAGENTA);
    square(QRectF(9.5, 10.5, 5, 5), CYAN);
    return pixmap;
}

QPixmap applicationPixmap(int size, bool document) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (document) {
        p.setPen(QColor(80, 80, 80));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 21, 29));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 160));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    }
    QFont font;
    font.setBold(true);
    font.setPixelSize(24);
    p.setFont(font);
    p.setPen(document ? QColor(30, 60, 160) : QColor(255, 210, 60));
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "Z");
    return pixmap;
}

QIcon treeIcon(int iconId) {
    QIcon icon;
    for (int size : {16, 32}) {
        switch (iconId) {
        case 131: icon.addPixmap(classPixmap(size)); break;
        case 132: icon.addPixmap(memberPixmap(size, CYAN, Access::Private)); break;
        case 133: icon.addPixmap(memberPixmap(size, CYAN, Access::Protected)); break;
        case 134: icon.addPixmap(memberPixmap(size, CYAN, Access::Public)); break;
        case 135: icon.addPixmap(memberPixmap(size, MAGENTA, Access::Private)); break;
        case 136: icon.addPixmap(memberPixmap(size, MAGENTA, Access::Protected)); break;
        case 138: icon.addPixmap(memberPixmap(size, MAGENTA, Access::Public)); break;
        default: break;
        }
    }
    return icon;
}

}

QIcon iconForId(int iconId) {
    if (iconId == 128 || iconId == 129) {
        QIcon icon;
        for (int size : {16, 32, 48}) icon.addPixmap(applicationPixmap(size, iconId == 129));
        return icon;
    }
    return treeIcon(iconId);
}

QIcon toolbarIcon(int commandId) {
    struct Picture {
        int command;
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    static const Picture pictures[] = {
        {command::FILE_NEW, "document-new", QStyle::SP_FileIcon},
        {command::FILE_OPEN, "document-open", QStyle::SP_DialogOpenButton},
        {command::FILE_SAVE, "document-save", QStyle::SP_DialogSaveButton},
        {command::EDIT_CUT, "edit-cut", QStyle::SP_TrashIcon},
        {command::EDIT_COPY, "edit-copy", QStyle::SP_FileDialogNewFolder},
        {command::EDIT_PASTE, "edit-paste", QStyle::SP_FileDialogContentsView},
        {command::FILE_PRINT, "document-print", QStyle::SP_ComputerIcon},
        {command::APP_ABOUT, "help-about", QStyle::SP_MessageBoxQuestion},
    };
    for (const Picture& picture : pictures) {
        if (picture.command == commandId) {
            return QIcon::fromTheme(picture.theme,
                                    QApplication::style()->standardIcon(picture.fallback));
        }
    }
    return QIcon();
}

}
}
}
