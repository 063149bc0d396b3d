#pragma once

#include <QRegularExpression>
#include <QString>
#include <functional>
#include <vector>

#include "decompiler/engine/RunOptions.h"
#include "gui/ArchiveSources.h"

namespace products {
namespace zefra {
namespace gui {

struct SearchQuery {
    QString text;
    bool regularExpression = false;
    bool caseSensitive = false;
};

// One line of a class's text that holds the query.
struct SearchHit {
    QString className;
    int line = 0;  // 0-based, in the text as the editor shows it
    QString text;  // the line, as it is
};

// Matches one line against a query; built once for many lines.
class LineMatcher {
public:
    explicit LineMatcher(const SearchQuery& query);
    // Empty when the query can be used, else why not.
    QString error() const;
    bool matches(const QString& line) const;

private:
    SearchQuery _query;
    QRegularExpression _expression;
};

// Looks through every written class of the set, in order. Hits go to onHits a
// class at a time; no more than maxHits are delivered. Returns false when
// cancelled. Unreadable texts are skipped.
using HitsReport = std::function<void(std::vector<SearchHit>&& hits)>;
bool searchSources(const SourceSet& sources, const LineMatcher& matcher, const decompiler::engine::RunCancel& cancel,
                   int maxHits, const HitsReport& onHits, const ProgressReport& progress);

// Every hit of one text.
std::vector<SearchHit> searchText(const QString& className, const QString& text, const LineMatcher& matcher);

}
}
}
