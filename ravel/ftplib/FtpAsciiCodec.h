#pragma once

#include <QByteArray>

// TYPE A data: lines end in CR LF on the wire (RFC 959's NVT-ASCII) and in LF here. Works
// chunk by chunk; a CR at the end of one received chunk waits for the next.
class FtpAsciiCodec
{
public:
    // A lone LF becomes CR LF; an existing CR LF stays as it is.
    QByteArray toNetwork(const char *data, qint64 size);
    // CR LF becomes LF; any other CR stays.
    QByteArray fromNetwork(const char *data, qint64 size);
    // What fromNetwork still holds back when the data ends.
    QByteArray finish();

private:
    char m_lastSent = 0;
    bool m_heldCr = false;
};
