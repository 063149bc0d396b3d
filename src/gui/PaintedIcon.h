#pragma once

#include <QIcon>
#include <QSizeF>

#include <functional>

class QPainter;

namespace products {
namespace zefra {
namespace gui {

// Draws a picture in a design space of `designSize` units; the painter
// arrives scaled so that the picture fills the target, centred.
using IconPainting = std::function<void(QPainter&)>;

// An icon drawn anew at every size and device pixel ratio it is asked for,
// so it stays sharp at 2x and up to the largest desktop icon.
QIcon paintedIcon(IconPainting painting, QSizeF designSize);

}
}
}
