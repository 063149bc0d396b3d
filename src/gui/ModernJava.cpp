#include "gui/ModernJava.h"

#include <QAction>
#include <QSettings>

namespace products {
namespace zefra {
namespace gui {

const char* const MODERN_JAVA_SETTING = "View/ModernJava";
const char* const MODERN_JAVA_OPTION = "--modern";

bool rememberedModernJava() { return QSettings().value(MODERN_JAVA_SETTING, false).toBool(); }

bool modernJavaRequested(const QStringList& arguments) {
    return arguments.mid(1).contains(QString(MODERN_JAVA_OPTION));
}

void connectModernJava(QAction& item, const std::function<void(bool)>& apply) {
    item.setCheckable(true);
    item.setChecked(rememberedModernJava());
    QObject::connect(&item, &QAction::toggled, &item, apply);
    QObject::connect(&item, &QAction::triggered, &item,
                     [](bool on) { QSettings().setValue(MODERN_JAVA_SETTING, on); });
    apply(item.isChecked());
}

}
}
}
