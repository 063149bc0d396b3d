#pragma once

#include <QObject>

// The program's pictures at the sizes desktops ask for.
class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void sharpAtTwiceTheScale();
    void applicationIconUpTo256Pixels();
    void disabledPicturesAreFainter();
};
