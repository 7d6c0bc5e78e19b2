// The C interface: finds the calling thread's session, checks the arguments, and converts
// between C strings and the session's types.

#include "ravel/ftplib/FtpLib.h"
#include "ravel/ftplib/FtpSession.h"

#include <QFile>
#include <QThread>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

thread_local std::unique_ptr<FtpSession> t_session;
thread_local QByteArray t_lastReply;

// A name or argument that goes into a command line: present, and without the line ends that
// would smuggle a second command to the server.
bool isArgument(const char *text)
{
    return text && !std::strpbrk(text, "\r\n");
}

bool isType(char type)
{
    return type == 'A' || type == 'I';
}

int copyOut(const QByteArray &text, char *buffer, int size)
{
    if (!buffer || size <= 0)
        return FTPLIB_INVALIDPARAMETER;
    const qsizetype n = std::min<qsizetype>(text.size(), size - 1);
    std::memcpy(buffer, text.constData(), size_t(n));
    buffer[n] = '\0';
    return FTPLIB_OK;
}

// A local file to send, opened now so that a missing file is told at once.
std::unique_ptr<QIODevice> openSource(const char *local)
{
    auto file = std::make_unique<QFile>(QString::fromUtf8(local));
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

// The caller's descriptor, at its current position; the caller closes it.
std::unique_ptr<QIODevice> openDescriptor(int fd, QIODevice::OpenMode mode)
{
    auto file = std::make_unique<QFile>();
    const off_t position = fd < 0 ? -1 : ::lseek(fd, 0, SEEK_CUR);
    if (position < 0 ||
        !file->open(fd, mode | QIODevice::Unbuffered, QFileDevice::DontCloseHandle) ||
        !file->seek(position))
        return nullptr;
    return file;
}

// A transfer that cannot even start still ends with its notification.
int refuse(int code, bool async, QObject *receiver, int message)
{
    return t_session->refuse(code, async, t_session->notify(receiver, message));
}

int receive(const char *remote, const char *local, char type, int async, bool append,
            QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(remote) || !local || !*local || !isType(type))
        return refuse(FTPLIB_INVALIDPARAMETER, async, receiver, message);
    FtpTransfer::Request request;
    request.direction = FtpTransfer::Direction::Receive;
    request.command = QByteArray("RETR ") + remote;
    request.type = type;
    request.ascii = type == 'A';
    request.localName = QString::fromUtf8(local);
    request.append = append;
    const FtpNotify end = t_session->notify(receiver, message);
    request.notify = end;
    const qint64 size = type == 'I' ? t_session->remoteSize(remote) : 0;
    return t_session->transfer(std::move(request), async, end, size);
}

int send(std::unique_ptr<QIODevice> source, const QByteArray &command, char type, bool async,
         qint64 size, QObject *receiver, int message)
{
    FtpTransfer::Request request;
    request.direction = FtpTransfer::Direction::Send;
    request.command = command;
    request.type = type;
    request.ascii = type == 'A';
    request.restartAt = source->pos();
    request.local = std::move(source);
    const FtpNotify end = t_session->notify(receiver, message);
    request.notify = end;
    return t_session->transfer(std::move(request), async, end, size);
}

int sendFile(const char *local, const char *remote, char type, int async, const char *verb,
             QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    // STOU takes no name: the server picks one.
    const bool unique = std::strcmp(verb, "STOU") == 0;
    if (!local || !isArgument(remote) || (!*remote && !unique) || !isType(type))
        return refuse(FTPLIB_INVALIDPARAMETER, async, receiver, message);
    std::unique_ptr<QIODevice> source = openSource(local);
    if (!source)
        return refuse(FTPLIB_CANTOPENFILE, async, receiver, message);
    const qint64 size = source->size();
    const QByteArray command = unique ? QByteArray(verb) : QByteArray(verb) + ' ' + remote;
    return send(std::move(source), command, type, async, size, receiver, message);
}

// A setting of the calling thread's session, which must exist.
template <typename Set> int setting(Set set)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    set(*t_session);
    return FTPLIB_OK;
}

} // namespace

extern "C" {

int LibStartSession(QObject *receiver, FtpLibThreadIdFn threadId)
{
    if (t_session)
        return FTPLIB_SESSIONUSED;
    const unsigned long task =
        threadId ? threadId() : static_cast<unsigned long>(quintptr(QThread::currentThreadId()));
    t_session = std::make_unique<FtpSession>(receiver, task);
    return FTPLIB_OK;
}

int LibEndSession(void)
{
    if (!t_session)
        return FTPLIB_NOACTIVESESSION;
    if (t_session->isConnected())
        return FTPLIB_STILLCONNECTED;
    t_session.reset();
    return FTPLIB_OK;
}

int LibSetReplyEcho(int on, QObject *receiver, int message)
{
    return setting([&](FtpSession &s) { s.setReplyEcho(on != 0, s.notify(receiver, message)); });
}

int LibSetNotifySink(FtpLibNotifySink *sink)
{
    return setting([&](FtpSession &s) { s.setNotifySink(sink); });
}

int LibSetTimeout(int seconds)
{
    return setting([&](FtpSession &s) { s.setTimeout(seconds); });
}

int LibSetPort(int port)
{
    return setting([&](FtpSession &s) { s.setPort(port); });
}

int LibSetPassive(int on)
{
    return setting([&](FtpSession &s) { s.setPassive(on != 0); });
}

int LibAsyncOn(void)
{
    return setting([&](FtpSession &s) { s.setAsync(true); });
}

int LibAsyncOff(void)
{
    return setting([&](FtpSession &s) { s.setAsync(false); });
}

long long LibTransferSize(void)
{
    return t_session ? t_session->transferSize() : 0;
}

int LibSetLogFile(int fd)
{
    return setting([&](FtpSession &s) { s.setLogFile(fd); });
}

int LibResetAfterLoss(void)
{
    return setting([&](FtpSession &s) { s.resetAfterLoss(); });
}

int LibLogin(const char *host, const char *user, const char *password, QObject *receiver,
             int message)
{
    return LibFirewallLogin(nullptr, nullptr, nullptr, host, user, password, 0, 0, receiver,
                            message);
}

int LibFirewallLogin(const char *proxyHost, const char *proxyUser, const char *proxyPassword,
                     const char *host, const char *user, const char *password, int type,
                     int proxyPort, QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    const bool viaProxy = proxyHost != nullptr;
    if (!isArgument(host) || !*host || !isArgument(user ? user : "") ||
        !isArgument(password ? password : "") ||
        (viaProxy && (!isArgument(proxyUser ? proxyUser : "") ||
                      !isArgument(proxyPassword ? proxyPassword : "") || !isArgument(proxyHost))))
        return FTPLIB_INVALIDPARAMETER;
    FtpSession::Endpoint target{QString::fromUtf8(host), 0, user, password};
    const FtpNotify done = t_session->notify(receiver, message);
    if (!viaProxy) {
        target.port = 0;
        return t_session->login(std::move(target), done);
    }
    FtpSession::Endpoint proxy{QString::fromUtf8(proxyHost), quint16(proxyPort), proxyUser,
                               proxyPassword};
    return t_session->firewallLogin(std::move(proxy), std::move(target), type, done);
}

int LibQuit(void)
{
    return t_session ? t_session->quit() : FTPLIB_NOTINITIALIZED;
}

int LibDropConnection(void)
{
    return t_session ? t_session->drop() : FTPLIB_NOTINITIALIZED;
}

static int simpleCommand(const char *verb, const char *argument, int transient)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(argument))
        return FTPLIB_INVALIDPARAMETER;
    const QByteArray line = *argument ? QByteArray(verb) + ' ' + argument : QByteArray(verb);
    return t_session->simple(line, FTPLIB_SERVERCANTEXECUTE, transient);
}

int LibDelete(const char *name)
{
    return simpleCommand("DELE", name, FTPLIB_FILELOCKED);
}

int LibChangeDir(const char *dir)
{
    return simpleCommand("CWD", dir, FTPLIB_SERVERCANTEXECUTE);
}

int LibRemoveDir(const char *dir)
{
    return simpleCommand("RMD", dir, FTPLIB_SERVERCANTEXECUTE);
}

int LibSendAccount(const char *account)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    return isArgument(account) ? t_session->sendAccount(account) : FTPLIB_INVALIDPARAMETER;
}

int LibParentDir(void)
{
    return simpleCommand("CDUP", "", FTPLIB_SERVERCANTEXECUTE);
}

int LibRename(const char *oldName, const char *newName)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(oldName) || !isArgument(newName))
        return FTPLIB_INVALIDPARAMETER;
    return t_session->rename(oldName, newName);
}

int LibSetType(char type)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    return isType(type) ? t_session->setType(type) : FTPLIB_INVALIDPARAMETER;
}

int LibCommand(const char *command, char *reply, int size)
{
    if (!t_session || !isArgument(command) || !*command)
        return 0;
    QByteArray text;
    const int code = t_session->command(command, text);
    if (reply && size > 0)
        copyOut(text, reply, size);
    return code;
}

int LibSystemType(const char *const *names)
{
    QList<QByteArray> list;
    for (const char *const *n = names; n && *n && **n; ++n)
        list.append(*n);
    return t_session ? t_session->systemType(list) : int(list.size());
}

int LibCurrentDir(char *buffer, int size)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!buffer || size <= 0)
        return FTPLIB_INVALIDPARAMETER;
    QByteArray dir;
    const int code = t_session->currentDir(dir);
    return code == FTPLIB_OK ? copyOut(dir, buffer, size) : code;
}

int LibMakeDir(const char *name, char *buffer, int size)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(name) || !*name || !buffer || size <= 0)
        return FTPLIB_INVALIDPARAMETER;
    QByteArray created;
    const int code = t_session->makeDir(name, created);
    return code == FTPLIB_OK ? copyOut(created, buffer, size) : code;
}

int LibAbort(void)
{
    return t_session ? t_session->abort() : FTPLIB_NOTINITIALIZED;
}

int LibReceive(const char *remote, const char *local, char type, int async, QObject *receiver,
               int message)
{
    return receive(remote, local, type, async, false, receiver, message);
}

int LibReceiveAppend(const char *remote, const char *local, char type, int async, QObject *receiver,
                     int message)
{
    return receive(remote, local, type, async, true, receiver, message);
}

int LibRestartReceive(const char *remote, int fd, char type, int async, long long offset,
                      QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(remote) || !isType(type) || offset < 0)
        return refuse(FTPLIB_INVALIDPARAMETER, async, receiver, message);
    std::unique_ptr<QIODevice> sink = openDescriptor(fd, QIODevice::WriteOnly);
    if (!sink)
        return refuse(FTPLIB_CANTOPENFILE, async, receiver, message);
    FtpTransfer::Request request;
    request.direction = FtpTransfer::Direction::Receive;
    request.command = QByteArray("RETR ") + remote;
    request.type = type;
    request.ascii = type == 'A';
    request.restartAt = offset;
    request.local = std::move(sink);
    const FtpNotify end = t_session->notify(receiver, message);
    request.notify = end;
    const qint64 size = t_session->remoteSize(remote);
    return t_session->transfer(std::move(request), async, end, size);
}

int LibSend(const char *local, const char *remote, char type, int async, int unique,
            QObject *receiver, int message)
{
    return sendFile(local, remote, type, async, unique ? "STOU" : "STOR", receiver, message);
}

int LibSendAppend(const char *local, const char *remote, char type, int async, QObject *receiver,
                  int message)
{
    return sendFile(local, remote, type, async, "APPE", receiver, message);
}

int LibRestartSend(int fd, const char *remote, char type, int async, long long size,
                   QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!isArgument(remote) || !*remote || !isType(type))
        return refuse(FTPLIB_INVALIDPARAMETER, async, receiver, message);
    std::unique_ptr<QIODevice> source = openDescriptor(fd, QIODevice::ReadOnly);
    if (!source)
        return refuse(FTPLIB_CANTOPENFILE, async, receiver, message);
    return send(std::move(source), QByteArray("STOR ") + remote, type, async, size, receiver,
                message);
}

int LibList(const char *path, const char *file, int longList, QObject *receiver, int message)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    const FtpNotify end = t_session->notify(receiver, message);
    if (path && !isArgument(path))
        return refuse(FTPLIB_INVALIDPARAMETER, t_session->isAsync(), receiver, message);
    FtpTransfer::Request request;
    request.direction = FtpTransfer::Direction::Receive;
    request.command = longList ? "LIST" : "NLST";
    if (path && *path)
        request.command += QByteArray(" ") + path;
    request.type = 'A';
    request.localName = file ? QString::fromUtf8(file) : QString();
    request.lines = receiver != nullptr;
    request.notify = end;
    return t_session->list(std::move(request), end);
}

int LibRemoteHost(char *name, int size, unsigned char address[4])
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!address)
        return FTPLIB_INVALIDPARAMETER;
    if (!t_session->isConnected())
        return FTPLIB_NOTCONNECTED;
    const quint32 ip = t_session->remoteAddress();
    for (int i = 0; i < 4; ++i)
        address[i] = static_cast<unsigned char>(ip >> (24 - 8 * i));
    return copyOut(t_session->remoteName(), name, size);
}

const char *LibLastReply(void)
{
    t_lastReply = t_session ? t_session->lastReply() : QByteArray();
    return t_lastReply.constData();
}

const char *LibLastFailure(void)
{
    t_lastReply = t_session ? t_session->failure() : QByteArray();
    return t_lastReply.constData();
}

void *LibSessionHandle(void)
{
    return t_session.get();
}

int LibCancelLogin(void *session)
{
    if (!session)
        return FTPLIB_NOACTIVESESSION;
    static_cast<FtpSession *>(session)->cancelLogin();
    return FTPLIB_OK;
}

int LibSetInlineAsync(int on)
{
    return setting([&](FtpSession &s) { s.setInlineAsync(on != 0); });
}

int LibInterrupt(void *session, int drop)
{
    if (!session)
        return FTPLIB_NOACTIVESESSION;
    static_cast<FtpSession *>(session)->interrupt(drop != 0);
    return FTPLIB_OK;
}

int LibSetSecurity(int mode)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (mode < FTPLIB_SECURITY_PLAIN || mode > FTPLIB_SECURITY_REQUIRED)
        return FTPLIB_INVALIDPARAMETER;
    t_session->tls().setMode(FtpTls::Mode(mode));
    return FTPLIB_OK;
}

int LibSetTrustedFingerprints(const char *list)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    t_session->tls().setTrustedFingerprints(list ? QByteArray(list) : QByteArray());
    return FTPLIB_OK;
}

int LibAddCaFile(const char *path)
{
    if (!t_session)
        return FTPLIB_NOTINITIALIZED;
    if (!path)
        return FTPLIB_INVALIDPARAMETER;
    return t_session->tls().addCaFile(QString::fromUtf8(path)) ? FTPLIB_OK : FTPLIB_CANTOPENFILE;
}

const char *LibPeerFingerprint(void)
{
    t_lastReply = t_session ? t_session->tls().peerFingerprint() : QByteArray();
    return t_lastReply.constData();
}

const char *LibCertificateError(void)
{
    t_lastReply = t_session ? t_session->tls().verifyError() : QByteArray();
    return t_lastReply.constData();
}

const char *LibPeerCertificate(void)
{
    t_lastReply = t_session ? t_session->tls().peerCertificate() : QByteArray();
    return t_lastReply.constData();
}

int LibTlsActive(void)
{
    return t_session && t_session->tlsActive() ? 1 : 0;
}

const FtpLibFunctions *LibFunctions(void)
{
    static const FtpLibFunctions functions = {
        LibStartSession,
        LibEndSession,
        LibSetReplyEcho,
        LibSetTimeout,
        LibSetPort,
        LibSetPassive,
        LibAsyncOn,
        LibAsyncOff,
        LibTransferSize,
        LibSetLogFile,
        LibResetAfterLoss,
        LibLogin,
        LibFirewallLogin,
        LibQuit,
        LibDropConnection,
        LibDelete,
        LibChangeDir,
        LibRemoveDir,
        LibSendAccount,
        LibParentDir,
        LibRename,
        LibSetType,
        LibCommand,
        LibSystemType,
        LibCurrentDir,
        LibMakeDir,
        LibAbort,
        LibReceive,
        LibReceiveAppend,
        LibRestartReceive,
        LibSend,
        LibSendAppend,
        LibRestartSend,
        LibList,
        LibRemoteHost,
        LibLastReply,
        LibErrorText,
        LibLastFailure,
        LibSessionHandle,
        LibCancelLogin,
        LibSetSecurity,
        LibSetTrustedFingerprints,
        LibAddCaFile,
        LibPeerFingerprint,
        LibCertificateError,
        LibTlsActive,
        LibPeerCertificate,
        LibSetNotifySink,
        LibSetInlineAsync,
        LibInterrupt,
    };
    return &functions;
}
}
