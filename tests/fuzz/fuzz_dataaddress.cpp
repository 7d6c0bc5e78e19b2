// The 227 reply's port and the PORT command: any reply text is safe, and every address
// and port we announce reads back as itself.
#include "ravel/ftplib/FtpDataAddress.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<quint16> port = FtpDataAddress::passivePort(text); port && *port == 0)
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
    }
    return 0;
}
