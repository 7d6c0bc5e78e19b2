#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

class QHostAddress;

// The data connection's address as the control connection names it: the port of a
// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)" or "229 ... (|||port|)" reply, and the
// PORT or EPRT command (RFC 2428).
namespace FtpDataAddress {
// The address part is ignored: the data connection always goes to the control
// connection's peer, so a server cannot send us to another host.
std::optional<quint16> passivePort(const QByteArray &replyText);
// The port of an EPSV reply's "(|||port|)": the same delimiter three times, no address, a
// port of 1 to 65535 in at most five digits, then the delimiter and ')'; anything else is
// refused.
std::optional<quint16> extendedPassivePort(const QByteArray &replyText);
// "PORT h1,h2,h3,h4,p1,p2" for an IPv4 address in host order.
QByteArray portCommand(quint32 ipv4, quint16 port);
// PORT for an IPv4 address (IPv4-mapped ones too, as the server sees them as IPv4), else
// "EPRT |2|address|port|" (without a scope, which means nothing to the server).
QByteArray activeCommand(const QHostAddress &address, quint16 port);
} // namespace FtpDataAddress
