#pragma once

#include <functional>

class QDialog;

namespace products {
namespace zefra {
namespace gui {

// Every modal dialog of the shell runs through here, so that tests can answer
// dialogs without ever entering a modal loop.
using ModalHook = std::function<int(QDialog& dialog)>;

// Runs the dialog (exec() unless a hook is installed) and returns its result.
int runModal(QDialog& dialog);

// Installs hook (empty: exec() again) and returns the previous one.
ModalHook setModalHook(ModalHook hook);

}
}
}
