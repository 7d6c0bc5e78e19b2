#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

// Files for transfer tests: random content written in pieces, compared by hash, never loaded
// whole.
namespace FtpTestFiles {

inline bool writeRandom(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (qint64 done = 0; done < size; done += chunk.size()) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(chunk.data()),
                                              chunk.size() / 4);
        if (file.write(chunk.constData(), std::min<qint64>(chunk.size(), size - done)) < 0)
            return false;
    }
    return true;
}

inline QByteArray hashOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result();
}

inline bool sameContent(const QString &a, const QString &b)
{
    const QByteArray ha = hashOf(a);
    return !ha.isEmpty() && ha == hashOf(b);
}

} // namespace FtpTestFiles
