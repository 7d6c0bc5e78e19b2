#pragma once

#include <QTcpServer>

class QSslSocket;

// The listener of an active data connection: it accepts into QSslSocket, so that a protected
// data connection can start its TLS handshake (as the client, whoever connected).
class FtpDataListener : public QTcpServer
{
public:
    // The next accepted connection, owned by the caller; null when none is waiting.
    QSslSocket *takeConnection();

protected:
    void incomingConnection(qintptr descriptor) override;
};
