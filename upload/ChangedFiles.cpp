#include "upload/ChangedFiles.h"

#include "ravel/CRavelCtrl.h"
#include "upload/RavelSession.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

ChangedFiles::ChangedFiles(RavelSession &session, QObject *parent)
    : QObject(parent), m_session(session)
{
    connect(&session.ravel(), &CRavelCtrl::OnDirList, this,
            [this](const QString &line, bool complete, int) { onDirList(line, complete); });
}

void ChangedFiles::onDirList(const QString &line, bool complete)
{
    if (!m_listing)
        return;
    if (const auto file = listedFile(line))
        m_listed.insert(m_listPrefix + file->first, file->second);
    if (complete)
        m_listing = false;
}

std::optional<std::pair<QString, qint64>> ChangedFiles::listedFile(const QString &line)
{
    // "-rw-r--r-- 1 owner group SIZE Mon DD HH:MM NAME": eight fields, then the name as sent.
    static const QRegularExpression unix(
        QStringLiteral(R"(^-\S*\s+\S+\s+\S+\s+\S+\s+(\d+)\s+\S+\s+\S+\s+\S+\s(.+)$)"));
    const QRegularExpressionMatch m = unix.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair{m.captured(2), m.captured(1).toLongLong()};
}

void ChangedFiles::fetch(const QStringList &subFolders)
{
    const QString local = m_dir.filePath(QStringLiteral("previous"));
    QFile::remove(local);
    m_session.put(QStringLiteral("AsyncMode"), true);
    m_session.expectTransfer();
    if (!m_session.call(QStringLiteral("RETR"), {PublishManifest::RemoteName, local}))
        m_session.waitTransferEnd([] { return false; });
    QFile file(local);
    if (QFileInfo(local).size() <= PublishManifest::SizeBound && file.open(QIODevice::ReadOnly))
        m_previous = PublishManifest::parse(file.readAll());
    if (!m_previous)
        return;
    list(QString());
    for (const QString &folder : subFolders)
        list(folder);
}

void ChangedFiles::list(const QString &subFolder)
{
    m_listPrefix = subFolder.isEmpty() ? QString() : subFolder + QLatin1Char('/');
    m_listing = true;
    const QVariantList args = subFolder.isEmpty() ? QVariantList() : QVariantList{subFolder};
    if (m_session.call(QStringLiteral("LIST"), args))
        m_listing = false;
    m_session.waitUntil([this] { return !m_listing && !m_session.stillExecuting(); });
}

bool ChangedFiles::unchanged(const QString &localPath, const QString &remoteName)
{
    const std::optional<PublishManifest::Entry> now = PublishManifest::describe(localPath);
    if (!now)
        return false;
    m_next.add(remoteName, *now);
    return m_previous && m_previous->entry(remoteName) == now &&
           m_listed.value(remoteName, -1) == now->size;
}

QStringList ChangedFiles::removed(const QStringList &albumNames) const
{
    QStringList names;
    if (m_previous) {
        for (const QString &name : m_previous->names())
            if (!albumNames.contains(name))
                names << name;
    }
    return names;
}

std::optional<QString> ChangedFiles::writeManifest()
{
    QFile file(m_dir.filePath(QStringLiteral("next")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(m_next.text()) < 0 ||
        !file.flush())
        return std::nullopt;
    return file.fileName();
}
