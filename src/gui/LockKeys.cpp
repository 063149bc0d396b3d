#include "gui/LockKeys.h"

#include <QGuiApplication>

#ifdef ZEFRA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace products {
namespace zefra {
namespace gui {

#ifdef ZEFRA_HAVE_X11
namespace {

bool indicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on;
}

}

bool queryLockKeys(LockKeyStates& states) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return false;
    states.caps = indicator(display, "Caps Lock");
    states.num = indicator(display, "Num Lock");
    states.scroll = indicator(display, "Scroll Lock");
    return true;
}
#else
bool queryLockKeys(LockKeyStates&) { return false; }
#endif

}
}
}
