#pragma once

#include <functional>

#include <QStringList>

class QAction;

namespace products {
namespace zefra {
namespace gui {

// View > "Modern Java": on, the engine runs with -m and the modern grammar
// reads its text. Off by default, so the engine's command line stays the
// classic one; the choice made in the menu is remembered, and --modern on the
// command line turns it on for one run without changing what is remembered.

extern const char* const MODERN_JAVA_SETTING;
extern const char* const MODERN_JAVA_OPTION;

bool rememberedModernJava();
bool modernJavaRequested(const QStringList& arguments);

// Checks the item as remembered and hands every change of its state to
// apply, the first one included; a choice in the menu is remembered.
void connectModernJava(QAction& item, const std::function<void(bool)>& apply);

}
}
}
