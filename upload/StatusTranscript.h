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

private:
    QString m_text = Initial;
};
