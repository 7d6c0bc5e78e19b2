#pragma once

#include "ravel/ftplib/FtpNotify.h"
#include "ravel/ftplib/FtpReplyParser.h"

#include <QHostAddress>
#include <memory>

class FtpTranscript;
class QTcpSocket;
class QThread;

// The control connection: sends command lines, reads whole replies with a time-out of quiet
// time, echoes every reply and writes both into the transcript. Not thread-safe; the session
// hands it to the transfer thread and takes it back.
class FtpControlConnection
{
public:
    explicit FtpControlConnection(FtpTranscript &transcript);
    ~FtpControlConnection();

    // 0, FTPLIB_CONNECTREJECTED, FTPLIB_TIMEOUT or FTPLIB_CANTCONNECT.
    int open(const QHostAddress &address, quint16 port);
    bool isOpen() const;
    void close();
    void moveToThread(QThread *thread);
    // Forgets every byte received and not yet read as a reply.
    void discardInput();

    // Sends one line; replies that came unasked before it are read and dropped first unless
    // keepPending (the replies of a running transfer must stay). 0, FTPLIB_NOTCONNECTED or
    // FTPLIB_SENDREFUSED.
    int send(const QByteArray &line, bool keepPending = false);
    // 0, FTPLIB_NOREPLY (silence or a closed connection) or FTPLIB_UNEXPECTEDANSWER (a
    // server that broke the protocol; the connection is closed).
    int readReply(FtpReply &reply);
    int command(const QByteArray &line, FtpReply &reply);

    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int timeout() const { return m_timeout; }
    void setEcho(FtpNotify echo) { m_echo = echo; }
    // Told when the server closes the connection while nobody waits on it (an idle session
    // has no other way to learn of it before its next command).
    void setLossNotify(FtpNotify loss) { m_loss = loss; }
    // The server has closed its side; cheap enough to ask between chunks of a transfer.
    bool peerClosed() const;
    QByteArray lastReply() const { return m_lastReply; }
    void clearLastReply() { m_lastReply.clear(); }
    QHostAddress peerAddress() const;
    QHostAddress localAddress() const;
    qintptr descriptor() const;
    // Type of the data connections as last agreed with TYPE, or 0 when not known.
    char type = 0;

private:
    void deliver(const FtpReply &reply);
    void dropPending();
    void lost();

    FtpTranscript &m_transcript;
    std::unique_ptr<QTcpSocket> m_socket;
    FtpReplyParser m_parser;
    FtpNotify m_echo;
    FtpNotify m_loss;
    QByteArray m_lastReply;
    int m_timeout = 30000;
    // A wait of ours runs: a close seen now is that wait's failure, told by its result.
    bool m_waiting = false;
};
