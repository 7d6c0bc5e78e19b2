// The 227 and 229 replies' ports and the PORT and EPRT commands: any reply text is safe, and
// every address and port we announce reads back as itself.
#include "ravel/ftplib/FtpDataAddress.h"

#include <QHostAddress>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<quint16> port = FtpDataAddress::passivePort(text); port && *port == 0)
        __builtin_trap();
    if (const std::optional<quint16> port = FtpDataAddress::extendedPassivePort(text);
        port && *port == 0)
        __builtin_trap();
    if (size >= 6) {
        quint32 ipv4 = 0;
        quint16 port = 0;
        std::memcpy(&ipv4, data, 4);
        std::memcpy(&port, data + 4, 2);
        const QByteArray command = FtpDataAddress::portCommand(ipv4, port);
        const std::optional<quint16> back =
            FtpDataAddress::passivePort("227 (" + command.mid(5) + ")");
        if (port != 0 && back != port)
            __builtin_trap();
        const std::optional<quint16> extended = FtpDataAddress::extendedPassivePort(
            "229 Entering Extended Passive Mode (|||" + QByteArray::number(port) + "|)");
        if (port != 0 && extended != port)
            __builtin_trap();
    }
    if (size >= 18) {
        quint16 port = 0;
        std::memcpy(&port, data + 16, 2);
        const QHostAddress address(data);
        const QByteArray command = FtpDataAddress::activeCommand(address, port);
        bool isV4 = false;
        address.toIPv4Address(&isV4);
        const QList<QByteArray> fields = command.split('|');
        // "EPRT |2|address|port|" splits into "EPRT ", "2", address, port, "".
        if (isV4 ? !command.startsWith("PORT ")
                 : fields.size() != 5 || fields[0] != "EPRT " || fields[1] != "2" ||
                       QHostAddress(QString::fromLatin1(fields[2])) != address ||
                       fields[3] != QByteArray::number(port) || !fields[4].isEmpty())
            __builtin_trap();
    }
    return 0;
}
