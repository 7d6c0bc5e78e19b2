#include "ravel/ftplib/FtpServerName.h"

#include <QHostAddress>

namespace {

std::optional<quint16> portNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        port = port * 10 + (c.unicode() - u'0');
    }
    return port >= 1 && port <= 65535 ? std::optional<quint16>(quint16(port)) : std::nullopt;
}

} // namespace

std::optional<FtpServerName> FtpServerName::parse(const QString &text)
{
    QStringView rest = QStringView(text).trimmed();
    const QLatin1String scheme("ftp://");
    if (rest.startsWith(scheme, Qt::CaseInsensitive)) {
        rest = rest.mid(scheme.size());
        rest = rest.left(rest.indexOf(u'/'));
    }
    FtpServerName name;
    // Present when a colon announces a port.
    std::optional<QStringView> portText;
    if (rest.startsWith(u'[')) {
        const qsizetype close = rest.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        name.host = rest.mid(1, close - 1).toString();
        QHostAddress address;
        if (!address.setAddress(name.host) || address.protocol() != QAbstractSocket::IPv6Protocol)
            return std::nullopt;
        const QStringView after = rest.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(u':'))
            return std::nullopt;
        if (!after.isEmpty())
            portText = after.mid(1);
    } else if (rest.count(u':') == 1) {
        const qsizetype colon = rest.indexOf(u':');
        name.host = rest.left(colon).toString();
        portText = rest.mid(colon + 1);
    } else {
        // A name, an IPv4 address, or an IPv6 address without brackets (which has no port).
        name.host = rest.toString();
    }
    if (name.host.isEmpty())
        return std::nullopt;
    if (portText) {
        const std::optional<quint16> port = portNumber(*portText);
        if (!port)
            return std::nullopt;
        name.port = *port;
    }
    return name;
}
