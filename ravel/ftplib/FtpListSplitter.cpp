#include "ravel/ftplib/FtpListSplitter.h"

#include <utility>

QList<QByteArray> FtpListSplitter::take(const char *data, qint64 size)
{
    QList<QByteArray> lines;
    for (qint64 i = 0; i < size; ++i) {
        if (data[i] != '\n' && m_partial.size() < MaxLine) {
            m_partial.append(data[i]);
            continue;
        }
        if (m_partial.endsWith('\r'))
            m_partial.chop(1);
        if (!m_partial.isEmpty())
            lines << std::exchange(m_partial, QByteArray());
        if (data[i] != '\n')
            m_partial.append(data[i]);
    }
    return lines;
}

QByteArray FtpListSplitter::finish()
{
    if (m_partial.endsWith('\r'))
        m_partial.chop(1);
    return std::exchange(m_partial, QByteArray());
}
