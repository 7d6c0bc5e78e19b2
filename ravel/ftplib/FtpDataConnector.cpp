#include "ravel/ftplib/FtpDataConnector.h"

#include "ravel/ftplib/FtpControlConnection.h"
#include "ravel/ftplib/FtpDataAddress.h"
#include "ravel/ftplib/FtpDataListener.h"
#include "ravel/ftplib/FtpInterrupt.h"
#include "ravel/ftplib/FtpReply.h"

#include <QSslSocket>

namespace {

bool sameHost(const QHostAddress &a, const QHostAddress &b)
{
    bool aV4 = false;
    bool bV4 = false;
    const quint32 a4 = a.toIPv4Address(&aV4);
    const quint32 b4 = b.toIPv4Address(&bV4);
    return aV4 && bV4 ? a4 == b4 : a.isEqual(b);
}

} // namespace

FtpDataConnector::FtpDataConnector(FtpControlConnection &control, FtpInterrupt &interrupt)
    : m_control(control), m_interrupt(interrupt)
{
}

FtpDataConnector::~FtpDataConnector() = default;

QByteArray FtpDataConnector::endpoint(const QHostAddress &address, quint16 port)
{
    return address.toString().toUtf8() + ':' + QByteArray::number(port);
}

void FtpDataConnector::close()
{
    m_listener.reset();
}

int FtpDataConnector::openPassive(std::unique_ptr<QTcpSocket> &data)
{
    quint16 port = 0;
    if (const int code = askPassivePort(port); code != FTPLIB_OK)
        return code;
    const QByteArray where = "to " + endpoint(m_control.peerAddress(), port);
    // A plain data connection needs no TLS socket, whose making costs more.
    data =
        m_control.protectedBy() ? std::make_unique<QSslSocket>() : std::make_unique<QTcpSocket>();
    data->connectToHost(m_control.peerAddress(), port);
    const FtpInterrupt::Watch watch(m_interrupt, data->socketDescriptor(), false);
    if (!data->waitForConnected(m_control.timeout())) {
        const bool slow = data->error() == QAbstractSocket::SocketTimeoutError;
        return failure(slow ? FTPLIB_TIMEOUT : FTPLIB_DATACONNECTION, where,
                       slow ? QByteArray("no answer") : data->errorString().toUtf8());
    }
    data->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return FTPLIB_OK;
}

int FtpDataConnector::askPassivePort(quint16 &port)
{
    FtpReply reply;
    if (!m_control.extendedPassiveRefused) {
        const int code = m_control.probe("EPSV", reply);
        if (code != FTPLIB_OK)
            return code;
        // Asking a server that does not know EPSV again on every transfer costs a round trip.
        m_control.extendedPassiveRefused = reply.unknownCommand();
        if (!m_control.extendedPassiveRefused)
            return passivePortIn(reply, 229, port);
    }
    const int code = m_control.command("PASV", reply);
    return code != FTPLIB_OK ? code : passivePortIn(reply, 227, port);
}

int FtpDataConnector::passivePortIn(const FtpReply &reply, int expected, quint16 &port)
{
    if (reply.code != expected)
        return FTPLIB_PASVCMDNOTIMPL;
    const std::optional<quint16> found =
        expected == 229 ? FtpDataAddress::extendedPassivePort(reply.firstText())
                        : FtpDataAddress::passivePort(reply.firstText());
    if (!found) {
        m_control.noteFailure("data connection: cannot read a port in the reply \"" +
                              reply.lines.first().left(80) + '"');
        return FTPLIB_UNEXPECTEDANSWER;
    }
    port = *found;
    return FTPLIB_OK;
}

int FtpDataConnector::openActive()
{
    const QHostAddress local = m_control.localAddress();
    bool isV4 = false;
    const quint32 v4 = local.toIPv4Address(&isV4);
    // An IPv4-mapped address is listened on as IPv4: that is where the server connects.
    const QHostAddress listenOn = isV4 ? QHostAddress(v4) : local;
    m_listener = std::make_unique<FtpDataListener>(m_control.protectedBy() != nullptr);
    if (local.isNull() || !m_listener->listen(listenOn))
        return failure(FTPLIB_CANTBINDSOCKET, "on " + endpoint(listenOn, 0),
                       "cannot listen: " + m_listener->errorString().toUtf8());
    const quint16 port = m_listener->serverPort();
    const QByteArray command = FtpDataAddress::activeCommand(listenOn, port);
    FtpReply reply;
    const int code = m_control.command(command, reply);
    if (code != FTPLIB_OK)
        return code;
    return reply.kind() == 2 ? FTPLIB_OK
                             : failure(FTPLIB_DATACONNECTION, "to " + endpoint(listenOn, port),
                                       "the server refused " + command.left(4));
}

int FtpDataConnector::acceptActive(std::unique_ptr<QTcpSocket> &data)
{
    bool timedOut = false;
    {
        const FtpInterrupt::Watch watch(m_interrupt, m_listener->socketDescriptor(), false);
        data.reset(m_listener->accept(m_control.timeout(), timedOut));
    }
    const QByteArray where =
        "to " + endpoint(m_listener->serverAddress(), m_listener->serverPort());
    // A listener shut down by an interrupt wakes up with nothing to accept.
    if (!data && m_interrupt.raised())
        return FTPLIB_DATACONNECTION;
    if (!data)
        return timedOut ? failure(FTPLIB_TIMEOUT, where, "the server never connected")
                        : failure(FTPLIB_DATACONNECTION, where, m_listener->errorString().toUtf8());
    m_listener.reset();
    // Only the server we talk to may connect: anyone else could inject or steal the file.
    if (!sameHost(data->peerAddress(), m_control.peerAddress()))
        return failure(FTPLIB_DATACONNECTION, where,
                       "refused a connection from " + data->peerAddress().toString().toUtf8() +
                           ", not the server");
    data->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return FTPLIB_OK;
}

int FtpDataConnector::failure(int code, const QByteArray &where, const QByteArray &why)
{
    m_control.noteFailure("data connection " + where + ": " + why);
    return code;
}
