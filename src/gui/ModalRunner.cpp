#include "gui/ModalRunner.h"

#include <QDialog>
#include <utility>

namespace products {
namespace zefra {
namespace gui {

namespace {
ModalHook& currentHook() {
    static ModalHook hook;
    return hook;
}
}

int runModal(QDialog& dialog) {
    if (const ModalHook& hook = currentHook()) {
        return hook(dialog);
    }
    return dialog.exec();
}

ModalHook setModalHook(ModalHook hook) { return std::exchange(currentHook(), std::move(hook)); }

}
}
}
