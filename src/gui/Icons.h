#pragma once

#include <QIcon>

namespace products {
namespace zefra {
namespace gui {

// The program's icons, by resource id: 128 application, 129 document,
// 131 to 136 and 138 the tree's images. Needs a running QGuiApplication.
QIcon iconForId(int iconId);

// Toolbar picture of a command.
QIcon toolbarIcon(int commandId);

}
}
}
