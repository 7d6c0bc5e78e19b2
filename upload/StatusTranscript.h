#pragma once

#include <QString>

// The FTP status display: newest line first, lines separated by CR LF.
class StatusTranscript
{
public:
    static constexpr qsizetype ProgressBound = 30000;
    static const QString Initial;

    QString text() const { return m_text; }
    void clear() { m_text.clear(); }
    void setText(const QString &text) { m_text = text; }

    void addLine(const QString &line);
    // Progress lines also cut the text to its newest ProgressBound characters.
    void addProgressLine(const QString &line);

    static QString hostResponseLine(int code, const QString &command, const QString &response);
    static QString loginLine(int resultCode, const QString &remoteHost);
    static QString ftpErrorLine(qint64 errorCode, const QString &errorText);
    static QString progressLine(qint64 fileSize, qint64 bytesSoFar);
    // Why the login failed, after "Connect FAILED!": "HOST:PORT: reason". `serverReply` is the
    // server's refusal of USER or PASS, if it sent one.
    static QString connectFailureLine(const QString &host, int port, int resultCode,
                                      int timeoutSeconds, const QString &serverReply);
    static QString notUploadedLine(const QString &name, const QString &reason);

    // Text a server sent, made safe to show: control characters but tab as \xNN, at most
    // ShownBound characters, the last of them "…" when cut.
    static QString shown(const QString &text);
    static constexpr qsizetype ShownBound = 512;

private:
    QString m_text = Initial;
};
