#include "ravel/ftplib/FtpDataAddress.h"

#include <QRegularExpression>

std::optional<quint16> FtpDataAddress::passivePort(const QByteArray &replyText)
{
    static const QRegularExpression numbers(
        QStringLiteral("(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3})"));
    const QRegularExpressionMatch m = numbers.match(QString::fromLatin1(replyText));
    if (!m.hasMatch())
        return std::nullopt;
    int parts[6];
    for (int i = 0; i < 6; ++i) {
        parts[i] = m.captured(i + 1).toInt();
        if (parts[i] > 255)
            return std::nullopt;
    }
    const int port = parts[4] * 256 + parts[5];
    if (port == 0)
        return std::nullopt;
    return quint16(port);
}

QByteArray FtpDataAddress::portCommand(quint32 ipv4, quint16 port)
{
    return "PORT " + QByteArray::number(ipv4 >> 24) + ',' + QByteArray::number((ipv4 >> 16) & 255) +
           ',' + QByteArray::number((ipv4 >> 8) & 255) + ',' + QByteArray::number(ipv4 & 255) +
           ',' + QByteArray::number(port >> 8) + ',' + QByteArray::number(port & 255);
}
