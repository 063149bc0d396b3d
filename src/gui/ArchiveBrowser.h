#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

namespace archive {
class ArchiveSession;
class ClassArchive;
}

namespace products {
namespace zefra {
namespace gui {

class ArchivePane;

// The open archive behind the archive pane: opening fills the pane, choosing
// a class extracts it with its nested classes into the archive's private
// folder, closing removes that folder.
class ArchiveBrowser : public QObject {
    Q_OBJECT
public:
    explicit ArchiveBrowser(ArchivePane& pane, QObject* parent = nullptr);
    ~ArchiveBrowser() override;

    // Replaces any open archive; on failure the message, and the earlier archive stays.
    bool open(const QString& path, QString& error);
    void close();
    bool isOpen() const { return _session != nullptr; }
    QString archivePath() const;
    // The folder chosen classes go to; empty when closed.
    QString folder() const;
    // True when the path is a class extracted from the open archive.
    bool holds(const QString& classFilePath) const;
    // The qualified name of the class last extracted.
    const QString& currentClass() const { return _currentClass; }
    // The qualified name of the class extracted to the path; empty for any other path.
    QString classAt(const QString& classFilePath) const;
    // The open archive's entry list; null when closed.
    const archive::ClassArchive* archive() const;

signals:
    // Before a chosen class replaces the one shown.
    void classAboutToOpen(const QString& qualifiedName);
    // Before the archive and its private folder go (closed, replaced, or the window going).
    void closing();
    // The class file is ready to open as any class file.
    void classExtracted(const QString& classFilePath, const QString& qualifiedName);
    void failed(const QString& message);

private:
    void onClassChosen(const QString& qualifiedName);

    ArchivePane& _pane;
    std::unique_ptr<archive::ArchiveSession> _session;
    QString _currentClass;
    // Extracted class file (clean path) to its qualified name.
    QHash<QString, QString> _extracted;
};

}
}
}
