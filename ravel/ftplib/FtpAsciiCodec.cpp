#include "ravel/ftplib/FtpAsciiCodec.h"

QByteArray FtpAsciiCodec::toNetwork(const char *data, qint64 size)
{
    QByteArray out;
    out.reserve(size + size / 16);
    for (qint64 i = 0; i < size; ++i) {
        if (data[i] == '\n' && m_lastSent != '\r')
            out.append('\r');
        out.append(data[i]);
        m_lastSent = data[i];
    }
    return out;
}

QByteArray FtpAsciiCodec::fromNetwork(const char *data, qint64 size)
{
    QByteArray out;
    out.reserve(size);
    for (qint64 i = 0; i < size; ++i) {
        if (m_heldCr && data[i] != '\n')
            out.append('\r');
        m_heldCr = data[i] == '\r';
        if (!m_heldCr)
            out.append(data[i]);
    }
    return out;
}

QByteArray FtpAsciiCodec::finish()
{
    return std::exchange(m_heldCr, false) ? QByteArray("\r") : QByteArray();
}
