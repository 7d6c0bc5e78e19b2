#pragma once

#include <QString>
#include <optional>

// A host field as people type it: a name, an IPv4 address, an IPv6 address bare ("::1") or
// in brackets ("[2001:db8::1]"), a name or bracketed address with ":port", or an ftp:// URL
// of one of these (its path is ignored: the folder is asked for on its own).
struct FtpServerName
{
    // The name or address, brackets removed.
    QString host;
    // 0 when the text names no port.
    quint16 port = 0;

    // Nothing for an empty host, an unclosed bracket, a bracketed text that is no IPv6
    // address, or a port that is not 1 to 65535.
    static std::optional<FtpServerName> parse(const QString &text);
};
