#include "ravel/ftplib/FtpDataListener.h"

#include <QSslSocket>

QTcpSocket *FtpDataListener::takeConnection()
{
    QTcpSocket *next = nextPendingConnection();
    if (next)
        next->setParent(nullptr);
    return next;
}

void FtpDataListener::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = m_tls ? new QSslSocket(this) : new QTcpSocket(this);
    if (socket->setSocketDescriptor(descriptor))
        addPendingConnection(socket);
    else
        delete socket;
}
