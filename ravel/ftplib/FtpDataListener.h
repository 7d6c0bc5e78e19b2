#pragma once

#include <QTcpServer>

// The listener of an active data connection. A protected one accepts into QSslSocket, so that
// it can start its TLS handshake (as the client, whoever connected).
class FtpDataListener : public QTcpServer
{
public:
    explicit FtpDataListener(bool tls) : m_tls(tls) {}

    // The next accepted connection, owned by the caller; null when none is waiting.
    QTcpSocket *takeConnection();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    const bool m_tls;
};
