#pragma once

#include "platform/messagebox/MessageBoxHook.h"

namespace products {
namespace zefra {
namespace gui {

// Routes the foundation's message boxes and assertion report to Qt message
// boxes (through runModal). Puts the previous hook back on destruction.
class QtMessageBoxes {
public:
    QtMessageBoxes();
    ~QtMessageBoxes();
    QtMessageBoxes(const QtMessageBoxes&) = delete;
    QtMessageBoxes& operator=(const QtMessageBoxes&) = delete;

private:
    platform::MessageBoxHook _previous;
};

}
}
}
