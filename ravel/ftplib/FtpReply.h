#pragma once

#include "ravel/ftplib/FtpLib.h"

#include <QByteArray>
#include <QList>
#include <optional>

// One complete server reply: its three-digit code and its lines without line ends.
struct FtpReply
{
    int code = 0;
    QList<QByteArray> lines;

    int kind() const { return code / 100; }
    // The server does not know the command (500) or does not implement it (502).
    bool unknownCommand() const { return code == 500 || code == 502; }
    // FTPLIB_OK for a positive completion, FTPLIB_UNEXPECTEDANSWER for a preliminary or an
    // intermediate reply where the command should have been complete; none for a refusal.
    std::optional<int> completion() const
    {
        if (kind() == 2)
            return FTPLIB_OK;
        if (kind() == 1 || kind() == 3)
            return FTPLIB_UNEXPECTEDANSWER;
        return std::nullopt;
    }
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
