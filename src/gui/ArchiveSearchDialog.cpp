#include "gui/ArchiveSearchDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace products {
namespace zefra {
namespace gui {

namespace {

constexpr int HIT_LINE_ROLE = Qt::UserRole + 1;
constexpr int HIT_TEXT_ROLE = Qt::UserRole + 2;

}

ArchiveSearchDialog::ArchiveSearchDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("archiveSearch");
    setWindowTitle("Search in Archive");
    setModal(false);
    _query = new QLineEdit(this);
    _query->setPlaceholderText("Text to find in every class");
    _regularExpression = new QCheckBox("&Regular expression", this);
    _case = new QCheckBox("Match &case", this);
    _search = new QPushButton("&Search", this);
    _search->setDefault(true);
    _cancel = new QPushButton("Cancel", this);
    _cancel->setEnabled(false);
    _progress = new QProgressBar(this);
    _progress->setVisible(false);
    _status = new QLabel(this);
    _results = new QTreeWidget(this);
    _results->setHeaderLabels({"Class", "Line", "Text"});
    _results->setRootIsDecorated(false);
    _results->setUniformRowHeights(true);
    _results->header()->setSectionResizeMode(CLASS_COLUMN, QHeaderView::ResizeToContents);
    _results->header()->setSectionResizeMode(LINE_COLUMN, QHeaderView::ResizeToContents);

    auto* top = new QHBoxLayout;
    top->addWidget(_query, 1);
    top->addWidget(_search);
    top->addWidget(_cancel);
    auto* options = new QHBoxLayout;
    options->addWidget(_regularExpression);
    options->addWidget(_case);
    options->addStretch(1);
    options->addWidget(_progress);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(options);
    layout->addWidget(_results, 1);
    layout->addWidget(_status);
    resize(720, 420);

    connect(_search, &QPushButton::clicked, this, [this] { emit searchRequested(query()); });
    connect(_query, &QLineEdit::returnPressed, this, [this] {
        if (_search->isEnabled()) emit searchRequested(query());
    });
    connect(_cancel, &QPushButton::clicked, this, &ArchiveSearchDialog::cancelRequested);
    connect(_results, &QTreeWidget::itemActivated, this, &ArchiveSearchDialog::onItemActivated);
}

SearchQuery ArchiveSearchDialog::query() const {
    SearchQuery query;
    query.text = _query->text();
    query.regularExpression = _regularExpression->isChecked();
    query.caseSensitive = _case->isChecked();
    return query;
}

void ArchiveSearchDialog::setRunning(bool running) {
    _search->setEnabled(!running);
    _cancel->setEnabled(running);
    _progress->setVisible(running);
}

void ArchiveSearchDialog::startShowing() {
    _results->clear();
    _hitCount = 0;
    _status->setText("Searching\u2026");
    _progress->setRange(0, 0);
    setRunning(true);
}

void ArchiveSearchDialog::showProgress(int done, int total, const QString& phase) {
    _progress->setRange(0, total);
    _progress->setValue(done);
    _status->setText(QString("%1: %2 of %3 classes, %4 hits").arg(phase).arg(done).arg(total).arg(_hitCount));
}

void ArchiveSearchDialog::addHits(const std::vector<SearchHit>& hits) {
    for (const SearchHit& hit : hits) {
        auto* item = new QTreeWidgetItem(_results);
        item->setText(CLASS_COLUMN, hit.className);
        item->setText(LINE_COLUMN, QString::number(hit.line + 1));
        item->setText(TEXT_COLUMN, hit.text.trimmed());
        item->setData(CLASS_COLUMN, HIT_LINE_ROLE, hit.line);
        item->setData(CLASS_COLUMN, HIT_TEXT_ROLE, hit.text);
    }
    _hitCount += static_cast<int>(hits.size());
}

void ArchiveSearchDialog::showEnd(const QString& status) {
    setRunning(false);
    _status->setText(status);
}

void ArchiveSearchDialog::onItemActivated(QTreeWidgetItem* item) {
    if (!item) return;
    emit hitChosen(item->text(CLASS_COLUMN), item->data(CLASS_COLUMN, HIT_LINE_ROLE).toInt(),
                   item->data(CLASS_COLUMN, HIT_TEXT_ROLE).toString());
}

}
}
}
