#include "gui/TrustMarks.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <set>
#include <vector>

#include "decompiler/FallbackBodies.h"
#include "gui/CLeftView.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

struct Declaration {
    int line;
    QTreeWidgetItem* item;
};

// Members only: a class's own line never holds a body.
std::vector<Declaration> membersByLine(QTreeWidget& tree) {
    std::vector<Declaration> members;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if ((*it)->childCount() == 0) members.push_back({(*it)->data(0, CLeftView::LINE_ROLE).toInt(), *it});
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const Declaration& a, const Declaration& b) { return a.line < b.line; });
    return members;
}

}  // namespace

int markFallbackMembers(QTreeWidget& tree, const std::string& javaText) {
    const auto bodies = decompiler::findFallbackBodies(javaText);
    if (bodies.empty()) return 0;
    const std::vector<Declaration> members = membersByLine(tree);
    std::vector<int> lines;
    for (const Declaration& member : members) lines.push_back(member.line);
    const QIcon warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    std::set<QTreeWidgetItem*> marked;
    for (const decompiler::FallbackBody& body : bodies) {
        const int owner = decompiler::owningDeclaration(lines, body.line);
        if (owner < 0) continue;
        QTreeWidgetItem* item = members[static_cast<std::size_t>(owner)].item;
        const QString reason = QString::fromStdString(body.reason);
        item->setIcon(0, warning);
        item->setData(0, FALLBACK_REASON_ROLE, reason);
        item->setToolTip(0, "Not decompiled: " + reason);
        marked.insert(item);
    }
    return static_cast<int>(marked.size());
}

QString fallbackSummary(int members) {
    if (members <= 0) return QString();
    if (members == 1) return "1 member of this class could not be decompiled";
    return QString("%1 members of this class could not be decompiled").arg(members);
}

}
}
}
