#pragma once

#include "ravel/ftplib/FtpInterrupt.h"
#include "ravel/ftplib/FtpNotify.h"
#include "ravel/ftplib/FtpReplyParser.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <memory>

class FtpTls;
class FtpTranscript;
class QSslSocket;
class QTcpSocket;
class QThread;

// The control connection: sends command lines, reads whole replies (each, and the answer to a
// command with its preliminary replies, within the time-out), echoes every reply and writes
// both into the transcript. Not thread-safe; the session hands it to the transfer thread and
// takes it back.
class FtpControlConnection
{
public:
    // More preliminary (1xx) replies to one command is a server that will never finish.
    static constexpr int MaxPreliminary = 32;

    explicit FtpControlConnection(FtpTranscript &transcript);
    ~FtpControlConnection();

    // 0, FTPLIB_CONNECTREJECTED, FTPLIB_TIMEOUT or FTPLIB_CANTCONNECT. With `watch`, the
    // connected socket is watched by it until unwatch() or close(), so another thread can
    // break a login's waits (not the connect's, which has no descriptor until it is done).
    int open(const QHostAddress &address, quint16 port, FtpInterrupt *watch = nullptr);
    void unwatch()
    {
        m_watch.reset();
        m_interrupt = nullptr;
    }
    bool isOpen() const;
    // The handshake after AUTH TLS: 0, FTPLIB_UNTRUSTEDCERT or FTPLIB_NOREPLY (the
    // connection is closed on failure).
    int startTls(FtpTls &tls, const QString &host);
    bool isEncrypted() const;
    // Data connections are protected (PROT P), from the socket of the control connection.
    const QSslSocket *protectedBy() const;
    void close();
    void moveToThread(QThread *thread);
    // Forgets every byte received and not yet read as a reply.
    void discardInput();

    // Sends one line; replies that came unasked before it are read and dropped first unless
    // keepPending (the replies of a running transfer must stay). 0, FTPLIB_NOTCONNECTED or
    // FTPLIB_SENDREFUSED.
    int send(const QByteArray &line, bool keepPending = false);
    // 0, FTPLIB_NOREPLY (silence, a reply not whole within the time-out, or a closed
    // connection) or FTPLIB_UNEXPECTEDANSWER (a server that broke the protocol; the
    // connection is closed).
    int readReply(FtpReply &reply) { return readReply(reply, QDeadlineTimer(m_timeout)); }
    // The first reply that is not preliminary, all within one time-out.
    int readFinalReply(FtpReply &reply);
    // send() and readFinalReply().
    int command(const QByteArray &line, FtpReply &reply);
    // command() for a probe of our own (EPSV): its reply is echoed unless the server does
    // not know the command. A host that takes that for a failed request of its own (the
    // upload job) must not hear of a refusal that the library gets round.
    int probe(const QByteArray &line, FtpReply &reply);
    // readReply() without the echo, for a reply the library may get round; echo() tells it.
    int readUnechoed(FtpReply &reply);
    void echo(const FtpReply &reply);

    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int timeout() const { return m_timeout; }
    void setEcho(FtpNotify echo) { m_echo = echo; }
    // Told when the server closes the connection while nobody waits on it (an idle session
    // has no other way to learn of it before its next command).
    void setLossNotify(FtpNotify loss) { m_loss = loss; }
    // The server has closed its side; cheap enough to ask between chunks of a transfer.
    bool peerClosed() const;
    // A reply, or part of one, has arrived and is not read yet.
    bool replyWaiting() const;
    QByteArray lastReply() const { return m_lastReply; }
    // Also forgets the last failure.
    void clearLastReply()
    {
        m_lastReply.clear();
        m_failure.clear();
    }
    // What failed on our side beyond a result code (an address and port tried); written
    // into the transcript too.
    void noteFailure(const QByteArray &why);
    QByteArray failure() const { return m_failure; }
    QHostAddress peerAddress() const;
    QHostAddress localAddress() const;
    qintptr descriptor() const;
    // Type of the data connections as last agreed with TYPE, or 0 when not known.
    char type = 0;
    // PROT P was agreed.
    bool dataProtected = false;
    // The server answered EPSV with 500 or 502: passive transfers ask for PASV.
    bool extendedPassiveRefused = false;
    // The server answered 425 to a store whose data came before its 150: stores wait for it.
    bool earlyDataRefused = false;

private:
    int readReply(FtpReply &reply, const QDeadlineTimer &deadline);
    void deliver(const FtpReply &reply);
    void dropPending();
    void lost();
    // Watches the socket for the interrupt given to open(), if any, and tells of its loss.
    void watchSocket();
    // Hands the connection over to a QSslSocket; null when it cannot.
    QSslSocket *upgrade();

    FtpTranscript &m_transcript;
    // A QSslSocket once startTls() has begun.
    std::unique_ptr<QTcpSocket> m_socket;
    std::unique_ptr<FtpInterrupt::Watch> m_watch;
    FtpInterrupt *m_interrupt = nullptr;
    FtpReplyParser m_parser;
    FtpNotify m_echo;
    FtpNotify m_loss;
    QByteArray m_lastReply;
    QByteArray m_failure;
    int m_timeout = 30000;
    // Preliminary replies since the last command was sent.
    int m_preliminaries = 0;
    // A wait of ours runs: a close seen now is that wait's failure, told by its result.
    bool m_waiting = false;
};
