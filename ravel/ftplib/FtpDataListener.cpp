#include "ravel/ftplib/FtpDataListener.h"

#include <QSslSocket>

QSslSocket *FtpDataListener::takeConnection()
{
    // Every pending connection was made by incomingConnection() below.
    QTcpSocket *next = nextPendingConnection();
    if (next)
        next->setParent(nullptr);
    return static_cast<QSslSocket *>(next);
}

void FtpDataListener::incomingConnection(qintptr descriptor)
{
    auto *socket = new QSslSocket(this);
    if (socket->setSocketDescriptor(descriptor))
        addPendingConnection(socket);
    else
        delete socket;
}
