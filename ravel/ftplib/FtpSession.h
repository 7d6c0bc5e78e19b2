#pragma once

#include "ravel/ftplib/FtpInterrupt.h"
#include "ravel/ftplib/FtpNotify.h"
#include "ravel/ftplib/FtpTls.h"
#include "ravel/ftplib/FtpTranscript.h"
#include "ravel/ftplib/FtpTransfer.h"
#include "ravel/ftplib/FtpTransferThread.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class FtpControlConnection;
struct FtpReply;

// One thread's FTP session: settings, the control connection, and the transfer thread of
// asynchronous mode. Every call waits for a running transfer first, except abort() and drop(),
// which stop it.
class FtpSession
{
public:
    struct Endpoint
    {
        QString host;
        quint16 port = 21;
        QByteArray user;
        QByteArray password;
    };

    FtpSession(QObject *receiver, unsigned long task);
    ~FtpSession();

    void setReplyEcho(bool on, FtpNotify echo);
    void setNotifySink(FtpLibNotifySink *sink);
    // Where a notification for `receiver` goes, as the sink says.
    FtpNotify notify(QObject *receiver, int message) const { return {receiver, message, m_sink}; }
    void setTimeout(int seconds);
    void setPort(int port);
    void setPassive(bool on) { m_passive = on; }
    void setAsync(bool on) { m_async = on; }
    bool isAsync() const { return m_async; }
    void setInlineAsync(bool on) { m_inlineAsync = on; }
    // Any thread: stops the running transfer, or the next one, as abort() or drop() would;
    // the next abort() or drop() on the session's thread completes it.
    void interrupt(bool drop);
    qint64 transferSize() const { return m_transferSize; }
    void setLogFile(int fd) { m_transcript.setDescriptor(fd); }
    void resetAfterLoss();
    // Settings of the next login and what its handshake found; not while a transfer runs.
    FtpTls &tls()
    {
        waitForTransfer();
        return m_tls;
    }
    bool tlsActive();
    bool isConnected();

    int login(Endpoint target, FtpNotify done);
    // Any thread: a login running now, or the next one, fails at once as if dropped; drop()
    // forgets a cancel that found no login.
    void cancelLogin();
    int firewallLogin(Endpoint proxy, Endpoint target, int type, FtpNotify done);
    int quit();
    int drop();
    // A command that must be answered 2xx; failure is the code for a refusal, transient the
    // one for a 4xx refusal.
    int simple(const QByteArray &line, int failure, int transient);
    int sendAccount(const QByteArray &account);
    int rename(const QByteArray &from, const QByteArray &to);
    int setType(char type);
    // The reply code, or 0 when no reply came.
    int command(const QByteArray &line, QByteArray &reply);
    int systemType(const QList<QByteArray> &names);
    int currentDir(QByteArray &dir);
    int makeDir(const QByteArray &name, QByteArray &created);
    int abort();

    // Runs a transfer: on the transfer thread when async and `end` has a receiver, unless
    // inline, else here. A transfer ends with `end` posted (1, bytes or -1) once, whatever happens.
    int transfer(FtpTransfer::Request request, bool async, FtpNotify end, qint64 size);
    // Ends a transfer that could not start, after the one running, so that ends come in order.
    int refuse(int code, bool async, const FtpNotify &end);
    // A listing; 0, -1 when there was nothing, or a code. Its end is posted as (1, result).
    int list(FtpTransfer::Request request, FtpNotify end);
    // SIZE of a remote file without echo (it is our own bookkeeping), 0 when unknown.
    qint64 remoteSize(const QByteArray &name);

    QByteArray lastReply() const;
    QByteArray failure() const;
    QByteArray remoteName() const { return m_remoteName; }
    quint32 remoteAddress() const;

private:
    int begin();
    // begin(), then one command and its reply.
    int exchange(const QByteArray &line, FtpReply &reply);
    int verdict(const FtpReply &reply, int failure, int transient);
    // Reads the host field first: `server` gets the bare host and the port it names.
    int connectAndGreet(Endpoint &server, bool proxy);
    // The interrupt watches the control socket from now on, for cancelLogin().
    void beginLogin();
    // AUTH TLS and the handshake, as the mode asks.
    int secure(const Endpoint &server);
    // PBSZ 0 and PROT P once logged in over TLS.
    int protectData();
    int logIn(const QByteArray &user, const QByteArray &password, int refused);
    int finishLogin(int code, const Endpoint &target, const FtpNotify &done);
    // Runs `request`; end(result) is called once with its outcome, on whichever thread ran it,
    // and gives the call's result in synchronous mode.
    int run(FtpTransfer::Request request, bool async,
            std::function<int(const FtpTransfer::Result &)> end);
    bool transferRunning();
    void waitForTransfer();

    FtpTranscript m_transcript;
    FtpTls m_tls;
    std::unique_ptr<FtpControlConnection> m_control;
    FtpInterrupt m_interrupt;
    std::unique_ptr<FtpTransferThread> m_transferThread;
    QObject *const m_receiver;
    FtpLibNotifySink *m_sink = nullptr;
    FtpNotify m_echo;
    bool m_echoOn = false;
    quint16 m_port = 21;
    bool m_passive = false;
    bool m_async = false;
    bool m_inlineAsync = false;
    std::atomic<qint64> m_transferSize = 0;
    std::atomic<bool> m_loginCancelled = false;
    QByteArray m_remoteName;
};
