#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <memory>

class FtpControlConnection;
class FtpDataListener;
class FtpInterrupt;
struct FtpReply;
class QHostAddress;
class QTcpSocket;

// Makes a transfer's data connection, plain or (when the control connection protects data)
// a QSslSocket for the transfer's handshake: passive, EPSV (PASV for a server without it) and
// a connection to the control connection's peer; active, a listener on the control
// connection's local address, PORT or EPRT naming it, and once the server has taken the
// command, its connection, from the control connection's peer only.
class FtpDataConnector
{
public:
    FtpDataConnector(FtpControlConnection &control, FtpInterrupt &interrupt);
    ~FtpDataConnector();
    FtpDataConnector(const FtpDataConnector &) = delete;
    FtpDataConnector &operator=(const FtpDataConnector &) = delete;

    int openPassive(std::unique_ptr<QTcpSocket> &data);
    int openActive();
    int acceptActive(std::unique_ptr<QTcpSocket> &data);
    // Stops listening.
    void close();

    // Notes why the data connection to or from `where` failed; returns code.
    int failure(int code, const QByteArray &where, const QByteArray &why);

    // "address:port", as failures name them.
    static QByteArray endpoint(const QHostAddress &address, quint16 port);

private:
    // EPSV, or PASV when the server does not know EPSV; the port to connect to.
    int askPassivePort(quint16 &port);
    // The port of a 229 (EPSV) or 227 (PASV) reply, as `expected` says.
    int passivePortIn(const FtpReply &reply, int expected, quint16 &port);

    FtpControlConnection &m_control;
    FtpInterrupt &m_interrupt;
    std::unique_ptr<FtpDataListener> m_listener;
};
