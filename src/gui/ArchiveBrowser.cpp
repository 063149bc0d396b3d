#include "gui/ArchiveBrowser.h"

#include <QDir>

#include "archive/ArchiveException.h"
#include "archive/ArchiveSession.h"
#include "gui/ArchivePane.h"

namespace products {
namespace zefra {
namespace gui {

ArchiveBrowser::ArchiveBrowser(ArchivePane& pane, QObject* parent) : QObject(parent), _pane(pane) {
    connect(&_pane, &ArchivePane::classChosen, this, &ArchiveBrowser::onClassChosen);
}

// The pane may be gone already; only those still working in the folder hear of it.
ArchiveBrowser::~ArchiveBrowser() {
    if (_session) emit closing();
}

bool ArchiveBrowser::open(const QString& path, QString& error) {
    try {
        auto session = std::make_unique<archive::ArchiveSession>(path.toStdString());
        if (_session) emit closing();
        _session = std::move(session);
    } catch (const archive::ArchiveException& e) {
        error = QString::fromStdString(e.getMessage());
        return false;
    }
    _currentClass.clear();
    _extracted.clear();
    _pane.showArchive(_session->archive());
    return true;
}

void ArchiveBrowser::close() {
    if (_session) emit closing();
    _pane.clear();
    _session.reset();
    _currentClass.clear();
    _extracted.clear();
}

QString ArchiveBrowser::archivePath() const {
    return _session ? QString::fromStdString(_session->archive().path()) : QString();
}

const archive::ClassArchive* ArchiveBrowser::archive() const {
    return _session ? &_session->archive() : nullptr;
}

QString ArchiveBrowser::folder() const {
    return _session ? QString::fromStdString(_session->folder()) : QString();
}

bool ArchiveBrowser::holds(const QString& classFilePath) const {
    if (!_session) return false;
    const QString root = QDir::cleanPath(folder()) + '/';
    return QDir::cleanPath(classFilePath).startsWith(root);
}

QString ArchiveBrowser::classAt(const QString& classFilePath) const {
    return _session && !classFilePath.isEmpty() ? _extracted.value(QDir::cleanPath(classFilePath)) : QString();
}

void ArchiveBrowser::onClassChosen(const QString& qualifiedName) {
    if (!_session) return;
    const archive::ArchivedClass* archived = _session->archive().find(qualifiedName.toStdString());
    if (!archived) return;
    emit classAboutToOpen(qualifiedName);
    try {
        const QString path = QString::fromStdString(_session->extract(*archived));
        _currentClass = qualifiedName;
        _extracted.insert(QDir::cleanPath(path), qualifiedName);
        emit classExtracted(path, qualifiedName);
    } catch (const archive::ArchiveException& e) {
        emit failed(QString::fromStdString(e.getMessage()));
    }
}

}
}
}
