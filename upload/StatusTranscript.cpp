#include "upload/StatusTranscript.h"

#include "core/AppText.h"

const QString StatusTranscript::Initial = QStringLiteral("FTP Operation Status\r\n");

void StatusTranscript::addLine(const QString &line)
{
    m_text.prepend(line + AppText::LineBreak);
}

void StatusTranscript::addProgressLine(const QString &line)
{
    addLine(line);
    m_text.truncate(ProgressBound);
}

QString StatusTranscript::hostResponseLine(int code, const QString &command,
                                           const QString &response)
{
    return QStringLiteral("Code:%1 Command:%2 Response:%3").arg(code).arg(command, response);
}

QString StatusTranscript::loginLine(int resultCode, const QString &remoteHost)
{
    return resultCode == 3000 ? QLatin1String("Connected to: ") + remoteHost
                              : QStringLiteral("Connect FAILED!");
}

QString StatusTranscript::ftpErrorLine(qint64 errorCode, const QString &errorText)
{
    return QStringLiteral("FTP Error: %1:%2").arg(errorCode).arg(errorText);
}

QString StatusTranscript::progressLine(qint64 fileSize, qint64 bytesSoFar)
{
    return QStringLiteral("FileSize: %1  Bytes Transferred: %2").arg(fileSize).arg(bytesSoFar);
}
