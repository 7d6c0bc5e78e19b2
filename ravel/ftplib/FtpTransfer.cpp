#include "ravel/ftplib/FtpTransfer.h"

#include "ravel/ftplib/FtpControlConnection.h"
#include "ravel/ftplib/FtpDataConnector.h"
#include "ravel/ftplib/FtpInterrupt.h"
#include "ravel/ftplib/FtpPipeSignalHold.h"
#include "ravel/ftplib/FtpTls.h"

#include <QFile>
#include <QScopeGuard>
#include <QSslSocket>
#include <optional>
#include <poll.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr qint64 ChunkSize = 256 * 1024;
// Bytes queued in the data socket before the sender waits for the network.
constexpr qint64 HighWater = 1024 * 1024;
// A host redraws on every notification; per chunk that is thousands a second on loopback.
constexpr qint64 ProgressIntervalMs = 100;
// What a server may send after a store before it closes: tickets and close_notify.
constexpr qint64 MaxTrailer = 64 * 1024;

// The code for a refused transfer command.
int refusal(int reply, FtpTransfer::Direction direction)
{
    switch (reply) {
    case 421:
        return FTPLIB_NOTCONNECTED;
    case 425:
    case 426:
        return FTPLIB_DATACONNECTION;
    case 450:
    case 550:
        return direction == FtpTransfer::Direction::Receive ? FTPLIB_NOREMOTEFILE
                                                            : FTPLIB_TRANSFERREFUSED;
    default:
        return reply / 100 == 2 ? FTPLIB_UNEXPECTEDANSWER : FTPLIB_TRANSFERREFUSED;
    }
}

// The code for the reply that ends a transfer whose data has moved.
int completion(const FtpReply &reply)
{
    if (const std::optional<int> code = reply.completion())
        return *code;
    if (reply.code == 425 || reply.code == 426)
        return FTPLIB_DATACONNECTION;
    if (reply.code == 452 || reply.code == 552)
        return FTPLIB_CANTWRITE;
    return FTPLIB_SERVERCANTEXECUTE;
}

} // namespace

FtpTransfer::FtpTransfer(Request request, FtpControlConnection &control, FtpInterrupt &interrupt)
    : m_request(std::move(request)), m_control(control), m_interrupt(interrupt),
      m_connector(control, interrupt)
{
    restart();
}

FtpTransfer::~FtpTransfer() = default;

FtpTransfer::Result FtpTransfer::run()
{
    const FtpInterrupt::Watch controlWatch(m_interrupt, m_control.descriptor(), true);
    const Result result = attempt();
    // A server that takes data only after its 150 says 425 to early data: the file goes again
    // in the usual order, as every later store of the session does.
    if (!m_early || result.commandReply != 425 || m_interrupt.raised() || !m_request.local->seek(0))
        return result;
    m_control.earlyDataRefused = true;
    restart();
    return attempt();
}

void FtpTransfer::restart()
{
    m_result = Result{};
    m_result.bytes = m_request.restartAt;
    m_toldBytes = -1;
    m_sinceProgress.invalidate();
    m_commandReplyDue = false;
    m_finalReplyDue = false;
}

FtpTransfer::Result FtpTransfer::attempt()
{
    m_early = m_request.passive && m_request.direction == Direction::Send &&
              m_request.restartAt <= 0 && !m_control.earlyDataRefused && plainFile();
    int code = setType();
    if (code == FTPLIB_OK)
        code = m_request.passive ? m_connector.openPassive(m_data) : m_connector.openActive();
    if (code == FTPLIB_OK)
        code = sendRestart();
    if (m_interrupt.raised())
        return interrupted();
    if (code != FTPLIB_OK)
        return finish(code);

    code = m_control.send(m_request.command);
    m_commandReplyDue = code == FTPLIB_OK;
    if (code == FTPLIB_OK && !m_early)
        code = takeCommandReply();
    if (m_interrupt.raised())
        return interrupted();
    if (code != FTPLIB_OK)
        return finish(code);

    code = m_request.passive ? FTPLIB_OK : m_connector.acceptActive(m_data);
    if (code == FTPLIB_OK)
        code = openLocal();
    if (code == FTPLIB_OK)
        code = stream();
    if (code == FTPLIB_OK && m_request.direction == Direction::Send && encrypted())
        code = closeSecureSend();
    if (m_interrupt.raised())
        return interrupted();
    m_data.reset();
    if (m_commandReplyDue) {
        // A refusal is the reason even when the data failed first: the server never took it.
        if (const int answered = takeCommandReply(); answered != FTPLIB_OK)
            code = answered;
        else if (code == FTPLIB_OK)
            progress(true);
        if (m_interrupt.raised())
            return interrupted();
    }
    if (!m_finalReplyDue)
        return finish(code);
    // The server's verdict counts even after a local failure: it keeps the control
    // connection in step.
    FtpReply reply;
    const int replied = m_control.readFinalReply(reply);
    m_finalReplyDue = false;
    if (m_interrupt.raised())
        return interrupted();
    if (code == FTPLIB_OK)
        code = replied != FTPLIB_OK ? replied : completion(reply);
    return finish(code);
}

int FtpTransfer::takeCommandReply()
{
    FtpReply reply;
    m_commandReplyDue = false;
    const int code = m_early ? m_control.readUnechoed(reply) : m_control.readReply(reply);
    m_finalReplyDue = code == FTPLIB_OK && reply.kind() == 1;
    if (code != FTPLIB_OK)
        return code;
    // A 425 to early data is got round (run() sends again): a host that takes it for the
    // failure of its store (the upload job does) must not hear of it.
    if (m_early && reply.code != 425)
        m_control.echo(reply);
    m_result.commandReply = reply.code;
    return reply.kind() == 1 ? FTPLIB_OK : refusal(reply.code, m_request.direction);
}

int FtpTransfer::answeredMeanwhile()
{
    if (!m_commandReplyDue || !m_control.replyWaiting())
        return FTPLIB_OK;
    const int code = takeCommandReply();
    if (code == FTPLIB_OK)
        progress();
    return code;
}

int FtpTransfer::setType()
{
    if (m_control.type == m_request.type)
        return FTPLIB_OK;
    FtpReply reply;
    const int code = m_control.command(QByteArray("TYPE ") + m_request.type, reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.kind() != 2)
        return FTPLIB_CANNOTCHANGETYPE;
    m_control.type = m_request.type;
    return FTPLIB_OK;
}

int FtpTransfer::openLocal()
{
    if (m_request.local || m_request.localName.isEmpty())
        return FTPLIB_OK;
    auto file = std::make_unique<QFile>(m_request.localName);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (m_request.append ? QIODevice::Append : QIODevice::Truncate);
    if (!file->open(mode))
        return FTPLIB_CANTOPENFILE;
    m_request.local = std::move(file);
    return FTPLIB_OK;
}

int FtpTransfer::sendRestart()
{
    if (m_request.restartAt <= 0)
        return FTPLIB_OK;
    FtpReply reply;
    const int code = m_control.command("REST " + QByteArray::number(m_request.restartAt), reply);
    if (code != FTPLIB_OK)
        return code;
    return reply.code == 350 ? FTPLIB_OK : FTPLIB_TRANSFERREFUSED;
}

int FtpTransfer::secureData()
{
    const QSslSocket *control = m_control.protectedBy();
    if (!control || !m_request.tls)
        return FTPLIB_OK;
    const int code = m_request.tls->secureData(static_cast<QSslSocket &>(*m_data), *control,
                                               m_control.timeout());
    if (code == FTPLIB_OK) {
        // A sender that ends with close_notify may wait for ours (vsftpd does), and Qt does
        // not answer it: closing our side ends the wait on both.
        QObject::connect(m_data.get(), &QAbstractSocket::errorOccurred, m_data.get(),
                         [socket = m_data.get()](QAbstractSocket::SocketError error) {
                             if (error == QAbstractSocket::RemoteHostClosedError)
                                 socket->disconnectFromHost();
                         });
        return code;
    }
    return m_connector.failure(
        code == FTPLIB_UNTRUSTEDCERT ? code : FTPLIB_DATACONNECTION,
        "with " + FtpDataConnector::endpoint(m_data->peerAddress(), m_data->peerPort()),
        "TLS handshake failed: " + m_data->errorString().toUtf8());
}

int FtpTransfer::stream()
{
    const FtpInterrupt::Watch watch(m_interrupt, m_data->socketDescriptor(), false);
    if (const int code = secureData(); code != FTPLIB_OK)
        return code;
    return m_request.direction == Direction::Send ? streamSend() : streamReceive();
}

int FtpTransfer::streamSend()
{
    std::optional<int> sent = sendFromFile();
    if (!sent)
        sent = sendThroughSocket();
    if (*sent != FTPLIB_OK)
        return *sent;
    progress(true);
    while (queued() > 0) {
        if (!m_data->waitForBytesWritten(m_control.timeout()))
            return dataWaitFailure();
    }
    // Closed by closeSecureSend(), once this descriptor is no longer watched.
    if (encrypted())
        return FTPLIB_OK;
    m_data->disconnectFromHost();
    if (m_data->state() != QAbstractSocket::UnconnectedState &&
        !m_data->waitForDisconnected(m_control.timeout()))
        return dataWaitFailure();
    return FTPLIB_OK;
}

int FtpTransfer::sendThroughSocket()
{
    std::vector<char> buffer(ChunkSize);
    for (;;) {
        const qint64 n = m_request.local->read(buffer.data(), ChunkSize);
        if (n < 0)
            return FTPLIB_CANTOPENFILE;
        if (n == 0)
            return FTPLIB_OK;
        if (!putWire(buffer.data(), n))
            return FTPLIB_DATACONNECTION;
        while (queued() > HighWater) {
            if (!m_data->waitForBytesWritten(m_control.timeout()))
                return dataWaitFailure();
        }
        if (const int code = sentMore(n); code != FTPLIB_OK)
            return code;
    }
}

std::optional<int> FtpTransfer::sendFromFile()
{
    QFileDevice *file = plainFile();
    if (!file)
        return std::nullopt;
    const int socket = int(m_data->socketDescriptor());
    off_t offset = file->pos();
    const FtpPipeSignalHold hold;
    for (bool first = true;; first = false) {
        const ssize_t n = ::sendfile(socket, file->handle(), &offset, size_t(ChunkSize));
        if (n == 0)
            return FTPLIB_OK;
        if (n > 0) {
            if (const int code = sentMore(n); code != FTPLIB_OK)
                return code;
            continue;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error == EAGAIN) {
            // A server that refuses early data may leave it unread: its reply ends the wait.
            pollfd p[] = {{socket, POLLOUT, 0}, {int(m_control.descriptor()), POLLIN, 0}};
            if (::poll(p, m_commandReplyDue ? 2 : 1, int(m_control.timeout())) == 0)
                return std::exchange(m_commandReplyDue, false)
                           ? m_connector.failure(FTPLIB_NOREPLY, peer(), "no progress, no reply")
                           : m_connector.failure(FTPLIB_TIMEOUT, peer(), "no progress");
            if (const int code = answeredMeanwhile(); code != FTPLIB_OK)
                return code;
            continue;
        }
        // A file system that cannot send from its files takes the ordinary way.
        if (first && (error == EINVAL || error == ENOSYS))
            return std::nullopt;
        if (error == EIO)
            return FTPLIB_CANTOPENFILE;
        // Early data meets a reset when the server refuses the command.
        if (m_commandReplyDue) {
            if (const int code = takeCommandReply(); code != FTPLIB_OK)
                return code;
        }
        return m_connector.failure(FTPLIB_DATACONNECTION, peer(), qt_error_string(error).toUtf8());
    }
}

QFileDevice *FtpTransfer::plainFile() const
{
    auto *file = qobject_cast<QFileDevice *>(m_request.local.get());
    const bool tls = m_control.protectedBy() && m_request.tls;
    return m_request.ascii || tls || !file || file->handle() < 0 ? nullptr : file;
}

int FtpTransfer::sentMore(qint64 bytes)
{
    m_result.bytes += bytes;
    if (const int code = answeredMeanwhile(); code != FTPLIB_OK)
        return code;
    progress();
    // Without this a lost session shows only after the whole file has gone out.
    return m_control.peerClosed() ? FTPLIB_NOREPLY : FTPLIB_OK;
}

QByteArray FtpTransfer::peer() const
{
    return "to " + FtpDataConnector::endpoint(m_data->peerAddress(), m_data->peerPort());
}

qint64 FtpTransfer::queued() const
{
    // Over TLS the plain bytes are encrypted into a second queue the first count leaves out.
    const auto *tls = qobject_cast<const QSslSocket *>(m_data.get());
    return m_data->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
}

bool FtpTransfer::encrypted() const
{
    const auto *tls = qobject_cast<const QSslSocket *>(m_data.get());
    return tls && tls->isEncrypted();
}

// The server may still send on a store's TLS connection (TLS 1.3 session tickets, its
// close_notify). Closing with those bytes unread makes the kernel send a reset, and a reset
// makes the server lose the end of the file it has not read yet. So: close_notify, then our
// FIN on a duplicate of the descriptor that outlives Qt's close, then read until the server
// closes. Only the duplicate is watched: the number Qt frees may be handed out again at once.
int FtpTransfer::closeSecureSend()
{
    const int fd = ::dup(int(m_data->socketDescriptor()));
    if (fd < 0)
        return FTPLIB_DATACONNECTION;
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    const FtpInterrupt::Watch watch(m_interrupt, fd, false);
    m_data->disconnectFromHost();
    if (m_data->state() != QAbstractSocket::UnconnectedState &&
        !m_data->waitForDisconnected(m_control.timeout()))
        return dataWaitFailure();
    ::shutdown(fd, SHUT_WR);
    QElapsedTimer waited;
    waited.start();
    char sink[4096];
    for (qint64 drained = 0; drained < MaxTrailer;) {
        pollfd p{fd, POLLIN, 0};
        const qint64 left = m_control.timeout() - waited.elapsed();
        if (left <= 0 || ::poll(&p, 1, int(left)) <= 0)
            break;
        const ssize_t n = ::read(fd, sink, sizeof sink);
        if (n <= 0)
            break;
        drained += n;
    }
    // The server's final reply is the verdict; a server that keeps the connection open or
    // talks on is not waited for beyond the time-out.
    return FTPLIB_OK;
}

int FtpTransfer::streamReceive()
{
    std::vector<char> buffer(ChunkSize);
    for (;;) {
        if (m_data->bytesAvailable() == 0 && !m_data->waitForReadyRead(m_control.timeout())) {
            if (m_data->error() != QAbstractSocket::RemoteHostClosedError)
                return dataWaitFailure();
            break;
        }
        const qint64 n = m_data->read(buffer.data(), ChunkSize);
        if (n < 0)
            return FTPLIB_DATACONNECTION;
        if (!putLocal(buffer.data(), n))
            return FTPLIB_CANTWRITE;
        if (m_request.lines)
            take(buffer.data(), n);
        m_result.bytes += n;
        if (!m_request.lines)
            progress();
        if (m_control.peerClosed())
            return FTPLIB_NOREPLY;
    }
    if (!m_request.lines)
        progress(true);
    if (m_request.lines) {
        const QByteArray last = m_lines.finish();
        if (!last.isEmpty())
            m_request.notify.post(0, 0, 0, last);
    }
    if (m_request.ascii) {
        const QByteArray tail = m_ascii.finish();
        if (!putLocal(tail.constData(), tail.size()))
            return FTPLIB_CANTWRITE;
    }
    // A full disk shows only when the last buffered bytes go out.
    auto *file = qobject_cast<QFileDevice *>(m_request.local.get());
    return file && !file->flush() ? FTPLIB_CANTWRITE : FTPLIB_OK;
}

bool FtpTransfer::putWire(const char *data, qint64 size)
{
    // The socket copies raw bytes at once; the buffer is reused for the next chunk.
    if (!m_request.ascii)
        return m_data->write(data, size) == size;
    const QByteArray wire = m_ascii.toNetwork(data, size);
    return m_data->write(wire) == wire.size();
}

bool FtpTransfer::putLocal(const char *data, qint64 size)
{
    if (!m_request.local)
        return true;
    if (!m_request.ascii)
        return m_request.local->write(data, size) == size;
    const QByteArray text = m_ascii.fromNetwork(data, size);
    return m_request.local->write(text) == text.size();
}

void FtpTransfer::take(const char *data, qint64 size)
{
    for (const QByteArray &line : m_lines.take(data, size))
        m_request.notify.post(0, 0, 0, line);
}

void FtpTransfer::progress(bool last)
{
    // The host hears of the command's 150 before any count.
    if (m_commandReplyDue)
        return;
    if (last ? m_toldBytes == m_result.bytes
             : m_sinceProgress.isValid() && m_sinceProgress.elapsed() < ProgressIntervalMs)
        return;
    m_sinceProgress.start();
    // The last count must arrive; one in between may give way to a host that lags behind.
    if (last)
        m_request.notify.post(0, m_result.bytes);
    else if (!m_request.notify.postDroppable(0, m_result.bytes))
        return;
    m_toldBytes = m_result.bytes;
}

int FtpTransfer::dataWaitFailure() const
{
    if (m_data->error() == QAbstractSocket::SocketTimeoutError &&
        m_data->state() == QAbstractSocket::ConnectedState)
        return FTPLIB_TIMEOUT;
    return FTPLIB_DATACONNECTION;
}

// ABOR and the replies that follow it: the transfer's own (426 or 226) when it is still due,
// then the answer to ABOR (225 or 226). A dropped connection gets no word.
FtpTransfer::Result FtpTransfer::interrupted()
{
    m_data.reset();
    m_connector.close();
    if (m_interrupt.reason() == FtpInterrupt::Reason::Drop)
        return {FTPLIB_NOTCONNECTED, -1, m_result.commandReply, {}};
    if (m_control.send("ABOR", true) == FTPLIB_OK) {
        FtpReply reply;
        for (int i = 1 + int(m_commandReplyDue) + int(m_finalReplyDue); i > 0; --i) {
            if (m_control.readReply(reply) != FTPLIB_OK || reply.code == 225)
                break;
        }
    }
    return {FTPLIB_CANCELBYUSER, -1, m_result.commandReply, {}};
}

FtpTransfer::Result FtpTransfer::finish(int code)
{
    m_data.reset();
    m_connector.close();
    m_result.code = code;
    if (code != FTPLIB_OK) {
        m_result.bytes = -1;
        m_result.failure = m_control.failure();
    }
    return m_result;
}
