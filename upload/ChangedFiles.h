#pragma once

#include "upload/PublishManifest.h"

#include <QHash>
#include <QObject>
#include <QTemporaryDir>

class RavelSession;

// "Send only changed files": what the album's remote folder already holds (the manifest the
// last confirmed upload left there, checked against one listing of the folder), and the
// manifest that this upload leaves for the next one.
class ChangedFiles : public QObject
{
    Q_OBJECT
public:
    explicit ChangedFiles(RavelSession &session, QObject *parent = nullptr);

    // Fetches the manifest and the listings of the folder and its `subFolders`; without a
    // readable manifest every file counts as changed.
    void fetch(const QStringList &subFolders = {});
    // Whether the server holds this very content under `remoteName`. Either way the file is
    // noted for the next manifest, which holds what the album is once it has all arrived.
    bool unchanged(const QString &localPath, const QString &remoteName);
    // Names the previous manifest listed that are not among the album's remote names.
    QStringList removed(const QStringList &albumNames) const;
    // The new manifest as a local file to store, or nothing when it cannot be written.
    std::optional<QString> writeManifest();

    // One line of a Unix-style listing: the name and size, or nothing for other lines.
    static std::optional<std::pair<QString, qint64>> listedFile(const QString &line);

private:
    void onDirList(const QString &line, bool complete);

    RavelSession &m_session;
    QTemporaryDir m_dir;
    std::optional<PublishManifest> m_previous;
    QHash<QString, qint64> m_listed;
    PublishManifest m_next;
    bool m_listing = false;
    QString m_listPrefix; // the sub-folder being listed, with its "/"
    void list(const QString &subFolder);
};
