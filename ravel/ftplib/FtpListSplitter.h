#pragma once

#include <QByteArray>
#include <QList>

// Cuts listing data into lines as it arrives: LF or CR LF ended, empty lines dropped (an
// empty line would read like the end of the listing), over-long lines handed on in pieces.
class FtpListSplitter
{
public:
    static constexpr qsizetype MaxLine = 64 * 1024;

    // The lines completed by this data.
    QList<QByteArray> take(const char *data, qint64 size);
    // The last line when the data ended without a line break.
    QByteArray finish();

private:
    QByteArray m_partial;
};
