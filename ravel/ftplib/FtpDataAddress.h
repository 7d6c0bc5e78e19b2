#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// The data connection's address as the control connection names it: the port of a
// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)" reply, and the PORT command.
namespace FtpDataAddress {
// The address part is ignored: the data connection always goes to the control
// connection's peer, so a server cannot send us to another host.
std::optional<quint16> passivePort(const QByteArray &replyText);
// "PORT h1,h2,h3,h4,p1,p2" for an IPv4 address in host order.
QByteArray portCommand(quint32 ipv4, quint16 port);
} // namespace FtpDataAddress
