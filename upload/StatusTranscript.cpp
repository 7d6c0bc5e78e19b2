#include "upload/StatusTranscript.h"

#include "core/AppText.h"
#include "ravel/CRavelCtrl.h"

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
    return QStringLiteral("Code:%1 Command:%2 Response:%3").arg(code).arg(command, shown(response));
}

QString StatusTranscript::loginLine(int resultCode, const QString &remoteHost)
{
    return resultCode == CRavelCtrl::RAVELERR_OK ? QLatin1String("Connected to: ") + remoteHost
                                                 : QStringLiteral("Connect FAILED!");
}

QString StatusTranscript::ftpErrorLine(qint64 errorCode, const QString &errorText)
{
    return QStringLiteral("FTP Error: %1:%2").arg(errorCode).arg(shown(errorText));
}

QString StatusTranscript::connectFailureLine(const QString &host, int port, int resultCode,
                                             int timeoutSeconds, const QString &serverReply)
{
    QString reason;
    switch (resultCode) {
    case CRavelCtrl::RAVELERR_UNKNOWNHOST:
        reason = QStringLiteral("Host not found");
        break;
    case CRavelCtrl::RAVELERR_CANTCONNECT:
    case CRavelCtrl::RAVELERR_CONNECTREJECTED:
        reason = QStringLiteral("Connection refused");
        break;
    case CRavelCtrl::RAVELERR_NOREPLY:
    case CRavelCtrl::RAVELERR_TIMEOUT:
        reason = QStringLiteral("No answer within %1 s").arg(timeoutSeconds);
        break;
    case CRavelCtrl::RAVELERR_TLSREFUSED:
        reason = QStringLiteral("TLS required, but the server refused it");
        if (!serverReply.isEmpty())
            reason += QLatin1String(" (") + shown(serverReply) + QLatin1Char(')');
        break;
    default:
        reason =
            serverReply.isEmpty() ? QStringLiteral("Error %1").arg(resultCode) : shown(serverReply);
    }
    // The port the connection went to: one written in the host field wins over the setting.
    const qsizetype colons = host.count(QLatin1Char(':'));
    const bool ownPort =
        host.contains(QLatin1String("://")) || host.contains(QLatin1String("]:")) || colons == 1;
    const QString where = ownPort      ? host
                          : colons > 1 ? QStringLiteral("[%1]:%2").arg(host).arg(port)
                                       : QStringLiteral("%1:%2").arg(host).arg(port);
    return where + QLatin1String(": ") + reason;
}

QString StatusTranscript::notUploadedLine(const QString &name, const QString &reason)
{
    return QStringLiteral("Not uploaded: %1: %2").arg(name, reason);
}

QString StatusTranscript::shown(const QString &text)
{
    QString out;
    out.reserve(std::min(text.size(), ShownBound));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t' || !(u < 0x20 || (u >= 0x7f && u < 0xa0)))
            out += c;
        else
            out += QLatin1String("\\x") +
                   QString::number(int(u), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        if (out.size() > ShownBound) {
            out.truncate(ShownBound - 1);
            out += QChar(0x2026);
            break;
        }
    }
    return out;
}

QString StatusTranscript::progressLine(qint64 fileSize, qint64 bytesSoFar)
{
    return QStringLiteral("FileSize: %1  Bytes Transferred: %2").arg(fileSize).arg(bytesSoFar);
}
