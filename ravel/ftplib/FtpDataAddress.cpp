#include "ravel/ftplib/FtpDataAddress.h"

#include <QHostAddress>
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

std::optional<quint16> FtpDataAddress::extendedPassivePort(const QByteArray &replyText)
{
    const qsizetype open = replyText.indexOf('(');
    // "(ddd" + at least one digit + "d)".
    if (open < 0 || replyText.size() - open < 7)
        return std::nullopt;
    const char delimiter = replyText[open + 1];
    // RFC 2428 allows any printable character but a digit as the delimiter.
    if (delimiter < 33 || delimiter > 126 || (delimiter >= '0' && delimiter <= '9') ||
        replyText[open + 2] != delimiter || replyText[open + 3] != delimiter)
        return std::nullopt;
    int port = 0;
    qsizetype i = open + 4;
    for (; i < replyText.size() && i - (open + 4) < 6; ++i) {
        const char c = replyText[i];
        if (c < '0' || c > '9')
            break;
        port = port * 10 + (c - '0');
    }
    const qsizetype digits = i - (open + 4);
    if (digits < 1 || digits > 5 || port < 1 || port > 65535 || i + 1 >= replyText.size() ||
        replyText[i] != delimiter || replyText[i + 1] != ')')
        return std::nullopt;
    return quint16(port);
}

QByteArray FtpDataAddress::portCommand(quint32 ipv4, quint16 port)
{
    return "PORT " + QByteArray::number(ipv4 >> 24) + ',' + QByteArray::number((ipv4 >> 16) & 255) +
           ',' + QByteArray::number((ipv4 >> 8) & 255) + ',' + QByteArray::number(ipv4 & 255) +
           ',' + QByteArray::number(port >> 8) + ',' + QByteArray::number(port & 255);
}

QByteArray FtpDataAddress::activeCommand(const QHostAddress &address, quint16 port)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        return portCommand(v4, port);
    QHostAddress unscoped = address;
    unscoped.setScopeId(QString());
    return "EPRT |2|" + unscoped.toString().toLatin1() + '|' + QByteArray::number(port) + '|';
}
