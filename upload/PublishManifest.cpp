#include "upload/PublishManifest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {
const QByteArray Header = "lumora-manifest 1";
} // namespace

const QString PublishManifest::RemoteName = QStringLiteral(".lumora-manifest");

std::optional<PublishManifest> PublishManifest::parse(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.takeFirst().trimmed() != Header)
        return std::nullopt;
    PublishManifest manifest;
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty())
            continue;
        const qsizetype first = line.indexOf(' ');
        const qsizetype second = line.indexOf(' ', first + 1);
        bool ok = false;
        const qint64 size = line.mid(first + 1, second - first - 1).toLongLong(&ok);
        const QByteArray sha = line.left(first);
        // A damaged manifest says nothing reliable about any file.
        if (first != 64 || second < 0 || !ok || size < 0 || QByteArray::fromHex(sha).toHex() != sha)
            return std::nullopt;
        manifest.add(QString::fromUtf8(line.mid(second + 1)), {size, sha});
    }
    return manifest;
}

std::optional<PublishManifest::Entry> PublishManifest::describe(const QString &localPath)
{
    QFile file(localPath);
    if (!QFileInfo(localPath).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return Entry{file.size(), hash.result().toHex()};
}

std::optional<PublishManifest::Entry> PublishManifest::entry(const QString &name) const
{
    const auto it = m_entries.constFind(name);
    if (it == m_entries.cend())
        return std::nullopt;
    return *it;
}

QByteArray PublishManifest::text() const
{
    QByteArray out = Header + '\n';
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        out += it->sha256 + ' ' + QByteArray::number(it->size) + ' ' + it.key().toUtf8() + '\n';
    return out;
}
