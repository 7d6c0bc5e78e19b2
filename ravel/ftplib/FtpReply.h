#pragma once

#include <QByteArray>
#include <QList>

// One complete server reply: its three-digit code and its lines without line ends.
struct FtpReply
{
    int code = 0;
    QList<QByteArray> lines;

    int kind() const { return code / 100; }
    // All lines joined by CR LF, as the reply echo and raw commands hand them on.
    QByteArray text() const { return lines.join("\r\n"); }
    // The reply's last line, or empty when it carries nothing after its code.
    QByteArray lastLineWithText() const
    {
        const QByteArray last = lines.isEmpty() ? QByteArray() : lines.last();
        return last.mid(4).trimmed().isEmpty() ? QByteArray() : last;
    }
    // The text after the code of the first line.
    QByteArray firstText() const { return lines.isEmpty() ? QByteArray() : lines.first().mid(4); }
};
