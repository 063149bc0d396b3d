#pragma once

#include <QDialog>
#include <vector>

#include "gui/SourceSearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace products {
namespace zefra {
namespace gui {

// Search in the archive: the query, its options, progress with Cancel and
// the hits as class, line and text; choosing a hit opens it. The window only
// asks and shows; the search itself runs elsewhere.
class ArchiveSearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int CLASS_COLUMN = 0;
    static constexpr int LINE_COLUMN = 1;
    static constexpr int TEXT_COLUMN = 2;

    explicit ArchiveSearchDialog(QWidget* parent = nullptr);

    QLineEdit* queryBox() const { return _query; }
    QCheckBox* regularExpressionBox() const { return _regularExpression; }
    QCheckBox* caseBox() const { return _case; }
    QPushButton* searchButton() const { return _search; }
    QPushButton* cancelButton() const { return _cancel; }
    QTreeWidget* results() const { return _results; }
    QLabel* statusLabel() const { return _status; }
    SearchQuery query() const;

    void startShowing();
    void showProgress(int done, int total, const QString& phase);
    void addHits(const std::vector<SearchHit>& hits);
    void showEnd(const QString& status);

signals:
    void searchRequested(const SearchQuery& query);
    void cancelRequested();
    void hitChosen(const QString& className, int line, const QString& text);

private:
    void onItemActivated(QTreeWidgetItem* item);
    void setRunning(bool running);

    QLineEdit* _query = nullptr;
    QCheckBox* _regularExpression = nullptr;
    QCheckBox* _case = nullptr;
    QPushButton* _search = nullptr;
    QPushButton* _cancel = nullptr;
    QProgressBar* _progress = nullptr;
    QLabel* _status = nullptr;
    QTreeWidget* _results = nullptr;
    int _hitCount = 0;
};

}
}
}
