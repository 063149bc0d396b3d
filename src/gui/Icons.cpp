#include "gui/Icons.h"

#include <QPainter>

#include "gui/CommandIds.h"
#include "gui/PaintedIcon.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

const QColor CYAN(0, 170, 190);
const QColor MAGENTA(190, 0, 170);

enum class Access { Public, Protected, Private };

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

void paintMember(QPainter& p, const QColor& colour, Access access) {
    const QRectF cube = access == Access::Public ? QRectF(2, 2, 12, 12) : QRectF(5, 1, 10, 10);
    drawCube(p, cube, colour);
    if (access == Access::Private) drawPadlock(p);
    if (access == Access::Protected) drawKey(p);
}

void paintClass(QPainter& p) {
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
}

void paintApplication(QPainter& p, bool document) {
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
}

QIcon memberIcon(const QColor& colour, Access access) {
    return paintedIcon([colour, access](QPainter& p) { paintMember(p, colour, access); }, QSizeF(16, 16));
}

QIcon treeIcon(int iconId) {
    switch (iconId) {
    case 131: return paintedIcon(paintClass, QSizeF(16, 16));
    case 132: return memberIcon(CYAN, Access::Private);
    case 133: return memberIcon(CYAN, Access::Protected);
    case 134: return memberIcon(CYAN, Access::Public);
    case 135: return memberIcon(MAGENTA, Access::Private);
    case 136: return memberIcon(MAGENTA, Access::Protected);
    case 138: return memberIcon(MAGENTA, Access::Public);
    default: return QIcon();
    }
}

}

QIcon iconForId(int iconId) {
    if (iconId == 128 || iconId == 129) {
        const bool document = iconId == 129;
        return paintedIcon([document](QPainter& p) { paintApplication(p, document); }, QSizeF(32, 32));
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

void paintNewPage(QPainter& p) {
    const QPointF outline[] = {{2.5, 0.5}, {9.5, 0.5}, {13.5, 4.5}, {13.5, 14.5}, {2.5, 14.5}};
    p.setPen(QColor(70, 70, 70));
    p.setBrush(Qt::white);
    p.drawPolygon(outline, 5);
    p.setBrush(QColor(220, 220, 220));
    const QPointF fold[] = {{9.5, 0.5}, {9.5, 4.5}, {13.5, 4.5}};
    p.drawPolygon(fold, 3);
}

void paintFolder(QPainter& p) {
    p.setPen(QColor(130, 90, 10));
    p.setBrush(QColor(230, 180, 60));
    p.drawRect(QRectF(0.5, 3.5, 13, 10));
    p.drawRect(QRectF(0.5, 1.5, 5, 2));
    p.setBrush(QColor(250, 215, 110));
    const QPointF lid[] = {{3, 6.5}, {15.5, 6.5}, {13.5, 13.5}, {0.5, 13.5}};
    p.drawPolygon(lid, 4);
}

void paintDisk(QPainter& p) {
    p.setPen(QColor(20, 30, 90));
    p.setBrush(QColor(50, 80, 180));
    p.drawRoundedRect(QRectF(1.5, 0.5, 13, 14), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 0.5, 9, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void paintQuestion(QPainter& p) {
    p.setPen(QColor(20, 60, 150));
    p.setBrush(QColor(60, 120, 220));
    p.drawEllipse(QRectF(0.5, 0, 15, 15));
    QFont font;
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 15), Qt::AlignCenter, "?");
}

// The toolbar's own pictures, 16 x 15 units.
void paintCommand(QPainter& p, int commandId) {
    switch (commandId) {
    case command::FILE_NEW:
        paintNewPage(p);
        break;
    case command::FILE_OPEN:
        paintFolder(p);
        break;
    case command::FILE_SAVE:
        paintDisk(p);
        break;
    case command::APP_ABOUT:
        paintQuestion(p);
        break;
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
}

}

QIcon toolbarIcon(int commandId) {
    const QIcon own = paintedIcon([commandId](QPainter& p) { paintCommand(p, commandId); }, QSizeF(16, 15));
    // The desktop's theme has the look users know for these; ours stands in.
    const char* theme = nullptr;
    switch (commandId) {
    case command::FILE_NEW: theme = "document-new"; break;
    case command::FILE_OPEN: theme = "document-open"; break;
    case command::FILE_SAVE: theme = "document-save"; break;
    case command::APP_ABOUT: theme = "help-about"; break;
    default: return own;
    }
    return QIcon::fromTheme(theme, own);
}

}
}
}
