#pragma once

#include <QHostAddress>
#include <QString>

class QTcpSocket;

// The listener of an active data connection, on a plain socket: it takes one connection, and
// Qt's server socket would add an engine and a notifier (each waking the event loop) for that.
// A protected one accepts into QSslSocket, so that it can start its TLS handshake (as the
// client, whoever connected).
class FtpDataListener
{
public:
    explicit FtpDataListener(bool tls) : m_tls(tls) {}
    ~FtpDataListener();
    FtpDataListener(const FtpDataListener &) = delete;
    FtpDataListener &operator=(const FtpDataListener &) = delete;

    // On `address`, at a port the system chooses.
    bool listen(const QHostAddress &address);
    QHostAddress serverAddress() const { return m_address; }
    quint16 serverPort() const { return m_port; }
    qintptr socketDescriptor() const { return m_fd; }
    QString errorString() const { return m_error; }
    // Waits up to `msec` for the connection, owned by the caller; null when time ran out
    // (`timedOut`) or accepting failed (errorString()), as it does once the listener is shut.
    QTcpSocket *accept(int msec, bool &timedOut);

private:
    bool failed();

    const bool m_tls;
    int m_fd = -1;
    QHostAddress m_address;
    quint16 m_port = 0;
    QString m_error;
};
