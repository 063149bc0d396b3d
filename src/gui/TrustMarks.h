#pragma once

#include <QString>
#include <string>

class QTreeWidget;

namespace products {
namespace zefra {
namespace gui {

// Marks each member of the structure tree whose body the engine could not
// decompile: a warning icon, the engine's reason as the tooltip. Returns how
// many members it marked. The tree's items hold their line in LINE_ROLE.
int markFallbackMembers(QTreeWidget& tree, const std::string& javaText);

// The status-bar sentence for that count; empty for none.
QString fallbackSummary(int members);

// The reason a marked item carries, empty for an unmarked one.
constexpr int FALLBACK_REASON_ROLE = Qt::UserRole + 7;

}
}
}
