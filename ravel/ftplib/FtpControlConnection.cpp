#include "ravel/ftplib/FtpControlConnection.h"

#include "ravel/ftplib/FtpTls.h"
#include "ravel/ftplib/FtpTranscript.h"

#include <QSslCipher>
#include <QSslSocket>
#include <poll.h>
#include <unistd.h>
#include <utility>

FtpControlConnection::FtpControlConnection(FtpTranscript &transcript) : m_transcript(transcript) {}

FtpControlConnection::~FtpControlConnection()
{
    close();
}

int FtpControlConnection::open(const QHostAddress &address, quint16 port, FtpInterrupt *watch)
{
    close();
    // A QTcpSocket until AUTH TLS is agreed: a session that never secures its connection never
    // starts OpenSSL, which costs milliseconds.
    m_socket = std::make_unique<QTcpSocket>();
    // A server flooding the control connection must not fill memory.
    m_socket->setReadBufferSize(FtpReplyParser::MaxReply);
    m_transcript.write(FtpTranscript::Kind::Note, "connecting to " + address.toString().toUtf8() +
                                                      ":" + QByteArray::number(port));
    m_preliminaries = 0;
    m_socket->connectToHost(address, port);
    if (m_socket->waitForConnected(m_timeout)) {
        // The descriptor exists only now; the connect itself is bounded by the time-out.
        m_interrupt = watch;
        watchSocket();
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return FTPLIB_OK;
    }
    const QAbstractSocket::SocketError error = m_socket->error();
    m_transcript.write(FtpTranscript::Kind::Note,
                       "connect failed: " + m_socket->errorString().toUtf8());
    m_socket.reset();
    if (error == QAbstractSocket::ConnectionRefusedError)
        return FTPLIB_CONNECTREJECTED;
    return error == QAbstractSocket::SocketTimeoutError ? FTPLIB_TIMEOUT : FTPLIB_CANTCONNECT;
}

bool FtpControlConnection::isOpen() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void FtpControlConnection::watchSocket()
{
    if (m_interrupt)
        m_watch =
            std::make_unique<FtpInterrupt::Watch>(*m_interrupt, m_socket->socketDescriptor(), true);
    QObject::connect(m_socket.get(), &QAbstractSocket::disconnected, m_socket.get(),
                     [this] { lost(); });
}

QSslSocket *FtpControlConnection::upgrade()
{
    const int fd = ::dup(int(m_socket->socketDescriptor()));
    auto secure = std::make_unique<QSslSocket>();
    if (fd < 0 || !secure->setSocketDescriptor(fd)) {
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    // Closing one of two descriptors leaves the connection as it is.
    m_watch.reset();
    m_socket->disconnect();
    m_socket->abort();
    m_socket = std::move(secure);
    m_socket->setReadBufferSize(FtpReplyParser::MaxReply);
    watchSocket();
    return static_cast<QSslSocket *>(m_socket.get());
}

int FtpControlConnection::startTls(FtpTls &tls, const QString &host)
{
    if (!isOpen())
        return FTPLIB_NOTCONNECTED;
    QSslSocket *secure = upgrade();
    if (!secure) {
        noteFailure("TLS: cannot take over the connection");
        close();
        return FTPLIB_NOTCONNECTED;
    }
    m_waiting = true;
    const int code = tls.secureControl(*secure, host, m_timeout);
    m_waiting = false;
    if (code == FTPLIB_OK) {
        m_transcript.write(FtpTranscript::Kind::Note,
                           "TLS " + secure->sessionCipher().protocolString().toUtf8() +
                               ", certificate sha256 " + tls.peerFingerprint());
        return code;
    }
    noteFailure(code == FTPLIB_UNTRUSTEDCERT
                    ? "certificate not trusted (sha256 " + tls.peerFingerprint() +
                          "): " + tls.verifyError()
                    : "TLS handshake failed: " + m_socket->errorString().toUtf8());
    close();
    return code;
}

bool FtpControlConnection::isEncrypted() const
{
    const auto *secure = qobject_cast<const QSslSocket *>(m_socket.get());
    return secure && secure->isEncrypted();
}

const QSslSocket *FtpControlConnection::protectedBy() const
{
    return dataProtected ? qobject_cast<const QSslSocket *>(m_socket.get()) : nullptr;
}

void FtpControlConnection::close()
{
    // Before the descriptor goes: the number may be handed out again.
    m_watch.reset();
    if (m_socket) {
        // Our own close is no loss to report.
        m_socket->disconnect();
        m_socket->abort();
        m_socket.reset();
        m_transcript.write(FtpTranscript::Kind::Note, "connection closed");
    }
    m_parser.reset();
    type = 0;
    dataProtected = false;
    extendedPassiveRefused = false;
    earlyDataRefused = false;
}

void FtpControlConnection::moveToThread(QThread *thread)
{
    if (m_socket)
        m_socket->moveToThread(thread);
}

void FtpControlConnection::discardInput()
{
    if (m_socket)
        m_socket->readAll();
    m_parser.reset();
}

int FtpControlConnection::send(const QByteArray &line, bool keepPending)
{
    if (!isOpen())
        return FTPLIB_NOTCONNECTED;
    if (!keepPending)
        dropPending();
    m_preliminaries = 0;
    const bool secret = line.startsWith("PASS ") || line.startsWith("ACCT ");
    m_transcript.write(FtpTranscript::Kind::Sent, secret ? line.left(5) + "****" : line);
    const QByteArray wire = line + "\r\n";
    m_socket->write(wire);
    m_socket->flush();
    m_waiting = true;
    const bool written = m_socket->bytesToWrite() == 0 || m_socket->waitForBytesWritten(m_timeout);
    m_waiting = false;
    if (!written) {
        m_transcript.write(FtpTranscript::Kind::Note,
                           "send failed: " + m_socket->errorString().toUtf8());
        return FTPLIB_SENDREFUSED;
    }
    return FTPLIB_OK;
}

// A reply that timed out earlier may arrive now; it must not pass for the next one's.
void FtpControlConnection::dropPending()
{
    if (m_socket->bytesAvailable() > 0)
        m_parser.feed(m_socket->readAll());
    while (const std::optional<FtpReply> stale = m_parser.takeReply()) {
        m_transcript.write(FtpTranscript::Kind::Received, stale->text());
        m_transcript.write(FtpTranscript::Kind::Note, "late reply ignored");
    }
}

int FtpControlConnection::readReply(FtpReply &reply, const QDeadlineTimer &deadline)
{
    for (;;) {
        if (std::optional<FtpReply> next = m_parser.takeReply()) {
            if (next->kind() == 1 && ++m_preliminaries > MaxPreliminary) {
                m_transcript.write(FtpTranscript::Kind::Note,
                                   "protocol error: more than " +
                                       QByteArray::number(MaxPreliminary) +
                                       " preliminary replies to one command");
                close();
                return FTPLIB_UNEXPECTEDANSWER;
            }
            reply = std::move(*next);
            deliver(reply);
            return FTPLIB_OK;
        }
        if (m_parser.failed()) {
            m_transcript.write(FtpTranscript::Kind::Note, "protocol error: " + m_parser.error());
            close();
            return FTPLIB_UNEXPECTEDANSWER;
        }
        if (!m_socket)
            return FTPLIB_NOREPLY;
        m_waiting = true;
        // The deadline, not each quiet gap: a server dripping one line at a time never
        // lets a per-wait time-out strike.
        const bool ready =
            m_socket->bytesAvailable() > 0 ||
            (!deadline.hasExpired() && m_socket->waitForReadyRead(int(deadline.remainingTime())));
        m_waiting = false;
        if (!ready) {
            const bool silent =
                m_socket->state() == QAbstractSocket::ConnectedState &&
                (deadline.hasExpired() || m_socket->error() == QAbstractSocket::SocketTimeoutError);
            m_transcript.write(FtpTranscript::Kind::Note,
                               silent ? QByteArray("no reply in time")
                                      : "connection lost: " + m_socket->errorString().toUtf8());
            if (!silent)
                close();
            return FTPLIB_NOREPLY;
        }
        m_parser.feed(m_socket->readAll());
    }
}

int FtpControlConnection::readFinalReply(FtpReply &reply)
{
    const QDeadlineTimer deadline(m_timeout);
    int code = FTPLIB_OK;
    do {
        code = readReply(reply, deadline);
    } while (code == FTPLIB_OK && reply.kind() == 1);
    return code;
}

int FtpControlConnection::command(const QByteArray &line, FtpReply &reply)
{
    const int sent = send(line);
    return sent != FTPLIB_OK ? sent : readFinalReply(reply);
}

int FtpControlConnection::probe(const QByteArray &line, FtpReply &reply)
{
    const FtpNotify echoTo = std::exchange(m_echo, FtpNotify());
    const int code = command(line, reply);
    m_echo = echoTo;
    if (code == FTPLIB_OK && !reply.unknownCommand())
        echo(reply);
    return code;
}

int FtpControlConnection::readUnechoed(FtpReply &reply)
{
    const FtpNotify echoTo = std::exchange(m_echo, FtpNotify());
    const int code = readReply(reply);
    m_echo = echoTo;
    return code;
}

void FtpControlConnection::noteFailure(const QByteArray &why)
{
    m_transcript.write(FtpTranscript::Kind::Note, why);
    m_failure = why;
}

void FtpControlConnection::deliver(const FtpReply &reply)
{
    m_transcript.write(FtpTranscript::Kind::Received, reply.text());
    m_lastReply = reply.lastLineWithText();
    echo(reply);
}

void FtpControlConnection::echo(const FtpReply &reply)
{
    if (reply.kind() == 1)
        m_echo.postDroppable(0, reply.code, reply.code, reply.text());
    else
        m_echo.post(0, reply.code, reply.code, reply.text());
}

void FtpControlConnection::lost()
{
    if (m_waiting)
        return;
    // What the server said as it went (421) is the loss's reply; an older one is not.
    m_lastReply.clear();
    if (m_socket->isReadable())
        m_parser.feed(m_socket->readAll());
    while (const std::optional<FtpReply> last = m_parser.takeReply())
        deliver(*last);
    m_transcript.write(FtpTranscript::Kind::Note, "connection lost");
    m_loss.post(0, FTPLIB_NOTCONNECTED, FTPLIB_NOTCONNECTED);
}

bool FtpControlConnection::peerClosed() const
{
    if (!m_socket)
        return true;
    // POLLRDHUP also sees a close behind a last reply that nobody has read yet.
    pollfd p{int(m_socket->socketDescriptor()), POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

bool FtpControlConnection::replyWaiting() const
{
    if (!m_socket)
        return false;
    if (m_socket->bytesAvailable() > 0)
        return true;
    pollfd p{int(m_socket->socketDescriptor()), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

QHostAddress FtpControlConnection::peerAddress() const
{
    return m_socket ? m_socket->peerAddress() : QHostAddress();
}

QHostAddress FtpControlConnection::localAddress() const
{
    return m_socket ? m_socket->localAddress() : QHostAddress();
}

qintptr FtpControlConnection::descriptor() const
{
    return m_socket ? m_socket->socketDescriptor() : -1;
}
