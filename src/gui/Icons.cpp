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

namespace {

void drawPage(QPainter& p, QRectF r) {
    p.setPen(QColor(70, 70, 70));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QColor(150, 150, 150));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

// The toolbar's own pictures, 16 x 15, for the commands a desktop theme may lack.
QPixmap commandPixmap(int commandId) {
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (commandId) {
    case command::EDIT_CUT:
        p.setPen(QPen(QColor(60, 60, 60), 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10, 9));
        p.drawLine(QPointF(11, 1), QPointF(6, 9));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 60, 200), 1.4));
        p.drawEllipse(QRectF(2.5, 9, 4, 4));
        p.drawEllipse(QRectF(9.5, 9, 4, 4));
        break;
    case command::EDIT_COPY:
        drawPage(p, QRectF(1.5, 1.5, 8, 10));
        drawPage(p, QRectF(6.5, 3.5, 8, 10));
        break;
    case command::EDIT_PASTE:
        p.setPen(QColor(90, 60, 20));
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 11), 1, 1);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(4.5, 1, 4, 3));
        drawPage(p, QRectF(7.5, 5.5, 7, 9));
        break;
    case command::FILE_PRINT:
        p.setPen(QColor(60, 60, 60));
        drawPage(p, QRectF(4.5, 0.5, 7, 6));
        p.setPen(QColor(60, 60, 60));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(QColor(40, 180, 40));
        p.drawRect(QRectF(11, 8, 2, 1.5));
        break;
    default:
        break;
    }
    return pixmap;
}

}

QIcon toolbarIcon(int commandId) {
    if (commandId == command::EDIT_CUT || commandId == command::EDIT_COPY ||
        commandId == command::EDIT_PASTE || commandId == command::FILE_PRINT) {
        return QIcon(commandPixmap(commandId));
    }
    struct Picture {
        int command;
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    static const Picture pictures[] = {
        {command::FILE_NEW, "document-new", QStyle::SP_FileIcon},
        {command::FILE_OPEN, "document-open", QStyle::SP_DialogOpenButton},
        {command::FILE_SAVE, "document-save", QStyle::SP_DialogSaveButton},
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
