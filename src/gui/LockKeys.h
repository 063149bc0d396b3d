#pragma once

namespace products {
namespace zefra {
namespace gui {

struct LockKeyStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' states, where the window system tells them (X11); false
// where it does not.
bool queryLockKeys(LockKeyStates& states);

}
}
}
