#include "ravel/ftplib/FtpDataListener.h"

#include <QDeadlineTimer>
#include <QNetworkInterface>
#include <QSslSocket>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

FtpDataListener::~FtpDataListener()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FtpDataListener::listen(const QHostAddress &address)
{
    sockaddr_in in = {};
    sockaddr_in6 in6 = {};
    bool isV4 = false;
    in.sin_addr.s_addr = htonl(address.toIPv4Address(&isV4));
    in.sin_family = AF_INET;
    in6.sin6_family = AF_INET6;
    const Q_IPV6ADDR bytes = address.toIPv6Address();
    std::memcpy(&in6.sin6_addr, bytes.c, sizeof bytes.c);
    // A link-local address needs the interface it belongs to.
    const QString scope = address.scopeId();
    const int index = QNetworkInterface::interfaceIndexFromName(scope);
    in6.sin6_scope_id = uint(index > 0 ? index : scope.toInt());
    auto *where = isV4 ? reinterpret_cast<sockaddr *>(&in) : reinterpret_cast<sockaddr *>(&in6);
    socklen_t length = isV4 ? sizeof in : sizeof in6;
    m_fd = ::socket(where->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0 || ::bind(m_fd, where, length) != 0 || ::listen(m_fd, 1) != 0 ||
        ::getsockname(m_fd, where, &length) != 0)
        return failed();
    m_address = address;
    m_port = ntohs(isV4 ? in.sin_port : in6.sin6_port);
    return true;
}

QTcpSocket *FtpDataListener::accept(int msec, bool &timedOut)
{
    timedOut = false;
    const QDeadlineTimer deadline(msec);
    pollfd p{m_fd, POLLIN, 0};
    int ready = 0;
    while ((ready = ::poll(&p, 1, int(deadline.remainingTime()))) < 0 && errno == EINTR) {
    }
    if (ready == 0) {
        timedOut = true;
        return nullptr;
    }
    const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        failed();
        return nullptr;
    }
    std::unique_ptr<QTcpSocket> socket =
        m_tls ? std::make_unique<QSslSocket>() : std::make_unique<QTcpSocket>();
    if (!socket->setSocketDescriptor(fd)) {
        ::close(fd);
        m_error = socket->errorString();
        return nullptr;
    }
    return socket.release();
}

bool FtpDataListener::failed()
{
    m_error = qt_error_string(errno);
    return false;
}
