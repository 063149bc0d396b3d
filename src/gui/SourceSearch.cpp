#include "gui/SourceSearch.h"

#include <QStringList>

#include "exceptions/Exception.h"

namespace products {
namespace zefra {
namespace gui {

LineMatcher::LineMatcher(const SearchQuery& query) : _query(query) {
    if (!query.regularExpression) return;
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!query.caseSensitive) options |= QRegularExpression::CaseInsensitiveOption;
    _expression = QRegularExpression(query.text, options);
}

QString LineMatcher::error() const {
    if (_query.text.isEmpty()) return "Type the text to search for.";
    if (_query.regularExpression && !_expression.isValid()) {
        return "The regular expression is not valid: " + _expression.errorString();
    }
    return QString();
}

bool LineMatcher::matches(const QString& line) const {
    if (_query.regularExpression) return _expression.match(line).hasMatch();
    return line.contains(_query.text, _query.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

std::vector<SearchHit> searchText(const QString& className, const QString& text, const LineMatcher& matcher) {
    std::vector<SearchHit> hits;
    int line = 0;
    for (QStringView view : QStringView(text).split(u'\n')) {
        if (view.endsWith(u'\r')) view.chop(1);
        const QString shown = view.toString();
        if (matcher.matches(shown)) hits.push_back({className, line, shown});
        ++line;
    }
    return hits;
}

bool searchSources(const SourceSet& sources, const LineMatcher& matcher, const decompiler::engine::RunCancel& cancel,
                   int maxHits, const HitsReport& onHits, const ProgressReport& progress) {
    const int total = static_cast<int>(sources.classes.size());
    int done = 0;
    int delivered = 0;
    for (const SourceFile& file : sources.classes) {
        if (cancel.cancelled()) return false;
        if (progress) progress(done, total);
        ++done;
        if (delivered >= maxHits) break;
        if (!file.written()) continue;
        std::string text;
        try {
            text = loadJavaText(file.path);
        } catch (const exceptions::Exception&) {
            continue;
        }
        std::vector<SearchHit> hits =
            searchText(QString::fromStdString(file.qualifiedName), QString::fromUtf8(text.data(), qsizetype(text.size())), matcher);
        if (hits.empty()) continue;
        if (static_cast<int>(hits.size()) > maxHits - delivered) hits.resize(static_cast<std::size_t>(maxHits - delivered));
        delivered += static_cast<int>(hits.size());
        onHits(std::move(hits));
    }
    if (progress) progress(total, total);
    return true;
}

}
}
}
