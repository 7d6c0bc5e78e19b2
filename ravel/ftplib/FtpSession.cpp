#include "ravel/ftplib/FtpSession.h"

#include "ravel/ftplib/FtpControlConnection.h"
#include "ravel/ftplib/FtpServerName.h"

#include <QHostInfo>

namespace {

constexpr int DefaultTimeoutSeconds = 30;

// The text between the first pair of double quotes, with "" standing for one quote (RFC 959
// appendix II), or nothing when the reply has no quoted name.
std::optional<QByteArray> quotedName(const QByteArray &text)
{
    const qsizetype open = text.indexOf('"');
    if (open < 0)
        return std::nullopt;
    QByteArray name;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            name.append(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            name.append('"');
            ++i;
        } else {
            return name;
        }
    }
    return std::nullopt;
}

// IPv4 first, where servers most often listen; a name with only IPv6 addresses gets its first.
QHostAddress firstAddress(const QString &host)
{
    QHostAddress address;
    if (address.setAddress(host))
        return address;
    const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
    for (const QHostAddress &a : found) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    }
    return found.isEmpty() ? QHostAddress() : found.first();
}

} // namespace

FtpSession::FtpSession(QObject *receiver, unsigned long task)
    : m_transcript(task), m_control(std::make_unique<FtpControlConnection>(m_transcript)),
      m_receiver(receiver), m_echo{receiver, FTPLIB_NOTIFY_REPLY}
{
    m_control->setLossNotify({receiver, FTPLIB_NOTIFY_LOST});
    setTimeout(0);
}

FtpSession::~FtpSession()
{
    drop();
}

void FtpSession::setReplyEcho(bool on, FtpNotify echo)
{
    waitForTransfer();
    if (echo.receiver)
        m_echo = echo;
    m_echoOn = on;
    m_control->setEcho(on ? m_echo : FtpNotify());
}

void FtpSession::setNotifySink(FtpLibNotifySink *sink)
{
    waitForTransfer();
    m_sink = sink;
    m_echo.sink = sink;
    m_control->setEcho(m_echoOn ? m_echo : FtpNotify());
    m_control->setLossNotify(notify(m_receiver, FTPLIB_NOTIFY_LOST));
}

void FtpSession::setTimeout(int seconds)
{
    waitForTransfer();
    m_control->setTimeout((seconds > 0 ? seconds : DefaultTimeoutSeconds) * 1000);
}

void FtpSession::setPort(int port)
{
    m_port = port > 0 && port <= 65535 ? quint16(port) : quint16(21);
}

void FtpSession::resetAfterLoss()
{
    if (transferRunning())
        m_interrupt.drop();
    waitForTransfer();
    m_interrupt.clear();
    m_control->discardInput();
}

bool FtpSession::tlsActive()
{
    waitForTransfer();
    return m_control->isEncrypted();
}

bool FtpSession::isConnected()
{
    waitForTransfer();
    return m_control->isOpen();
}

int FtpSession::begin()
{
    waitForTransfer();
    m_control->clearLastReply();
    return m_control->isOpen() ? FTPLIB_OK : FTPLIB_NOTCONNECTED;
}

int FtpSession::exchange(const QByteArray &line, FtpReply &reply)
{
    const int code = begin();
    return code != FTPLIB_OK ? code : m_control->command(line, reply);
}

int FtpSession::verdict(const FtpReply &reply, int failure, int transient)
{
    if (const std::optional<int> code = reply.completion())
        return *code;
    switch (reply.code) {
    case 421:
        // The server is closing the connection; later calls must know.
        m_control->close();
        return FTPLIB_NOTCONNECTED;
    case 500:
    case 501:
    case 502:
    case 504:
        return FTPLIB_CMDNOTIMPLEMENTED;
    default:
        return reply.kind() == 4 ? transient : failure;
    }
}

void FtpSession::cancelLogin()
{
    m_loginCancelled = true;
    m_interrupt.drop();
}

void FtpSession::beginLogin()
{
    waitForTransfer();
    // A transfer's interrupt is over; a cancel of this login is not, whenever it came.
    m_interrupt.clear();
    if (m_loginCancelled)
        m_interrupt.drop();
}

int FtpSession::login(Endpoint target, FtpNotify done)
{
    beginLogin();
    int code = connectAndGreet(target, false);
    if (code == FTPLIB_OK)
        code = secure(target);
    if (code == FTPLIB_OK)
        code = logIn(target.user, target.password, FTPLIB_LOGINREFUSED);
    return finishLogin(code, target, done);
}

int FtpSession::firewallLogin(Endpoint proxy, Endpoint target, int type, FtpNotify done)
{
    beginLogin();
    int code = type == FTPLIB_FW_SITE || type == FTPLIB_FW_OPEN || type == FTPLIB_FW_USER_LOGON ||
                       type == FTPLIB_FW_USER_NOLOGON
                   ? connectAndGreet(proxy, true)
                   : FTPLIB_INVALIDPARAMETER;
    if (code == FTPLIB_OK)
        code = secure(proxy);
    if (code == FTPLIB_OK && type != FTPLIB_FW_USER_NOLOGON)
        code = logIn(proxy.user, proxy.password, FTPLIB_FWLOGINREFUSED);
    if (code == FTPLIB_OK && (type == FTPLIB_FW_SITE || type == FTPLIB_FW_OPEN)) {
        const QByteArray verb = type == FTPLIB_FW_SITE ? "SITE " : "OPEN ";
        FtpReply reply;
        code = m_control->command(verb + target.host.toUtf8(), reply);
        if (code == FTPLIB_OK && reply.kind() != 2)
            code = FTPLIB_FWCONNECTREJECTED;
    }
    if (code == FTPLIB_OK) {
        const bool atHost = type == FTPLIB_FW_USER_LOGON || type == FTPLIB_FW_USER_NOLOGON;
        const QByteArray user = atHost ? target.user + '@' + target.host.toUtf8() : target.user;
        code = logIn(user, target.password, FTPLIB_LOGINREFUSED);
    }
    return finishLogin(code, target, done);
}

int FtpSession::connectAndGreet(Endpoint &server, bool proxy)
{
    waitForTransfer();
    m_control->close();
    m_control->clearLastReply();
    const std::optional<FtpServerName> name = FtpServerName::parse(server.host);
    if (!name)
        return FTPLIB_UNKNOWNHOST;
    server.host = name->host;
    if (name->port)
        server.port = name->port;
    const QHostAddress address = firstAddress(server.host);
    if (address.isNull())
        return FTPLIB_UNKNOWNHOST;
    int code = m_control->open(address, server.port ? server.port : m_port, &m_interrupt);
    if (proxy && code == FTPLIB_CONNECTREJECTED)
        code = FTPLIB_FWCONNECTREJECTED;
    else if (proxy && code == FTPLIB_CANTCONNECT)
        code = FTPLIB_FWCANTCONNECT;
    FtpReply greeting;
    if (code == FTPLIB_OK)
        code = m_control->readFinalReply(greeting);
    if (code == FTPLIB_OK && greeting.code != 220)
        code = proxy ? FTPLIB_FWCONNECTREJECTED : FTPLIB_CONNECTREJECTED;
    return code;
}

int FtpSession::secure(const Endpoint &server)
{
    if (m_tls.mode() == FtpTls::Mode::Plain)
        return FTPLIB_OK;
    FtpReply reply;
    const int code = m_control->command("AUTH TLS", reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.code == 234)
        return m_control->startTls(m_tls, server.host);
    // A server without TLS answers 500/502/504/534, or (vsftpd) 530 before a login.
    if (m_tls.mode() == FtpTls::Mode::IfAvailable && reply.kind() == 5) {
        m_control->noteFailure("TLS not offered by " + server.host.toUtf8() + ": using plain FTP");
        return FTPLIB_OK;
    }
    m_control->noteFailure("TLS required, but " + server.host.toUtf8() +
                           " answered AUTH TLS with " + reply.lastLineWithText());
    return reply.code == 421 ? FTPLIB_NOTCONNECTED : FTPLIB_TLSREFUSED;
}

int FtpSession::protectData()
{
    if (!m_control->isEncrypted() || m_control->dataProtected)
        return FTPLIB_OK;
    FtpReply reply;
    int code = m_control->command("PBSZ 0", reply);
    if (code == FTPLIB_OK && reply.kind() == 2)
        code = m_control->command("PROT P", reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.kind() != 2) {
        m_control->noteFailure("the server refused to protect data connections: " +
                               reply.lastLineWithText());
        return FTPLIB_TLSREFUSED;
    }
    m_control->dataProtected = true;
    return FTPLIB_OK;
}

int FtpSession::logIn(const QByteArray &user, const QByteArray &password, int refused)
{
    FtpReply reply;
    int code = m_control->command("USER " + (user.isEmpty() ? "anonymous" : user), reply);
    if (code == FTPLIB_OK && reply.code == 331)
        code = m_control->command("PASS " + password, reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.code == 230 || reply.code == 202)
        return protectData();
    return reply.code == 332 ? FTPLIB_ACCOUNTNEEDED : refused;
}

int FtpSession::finishLogin(int code, const Endpoint &target, const FtpNotify &done)
{
    m_control->unwatch();
    if (m_interrupt.raised()) {
        m_loginCancelled = false;
        code = FTPLIB_CANCELBYUSER;
    }
    if (code != FTPLIB_OK && code != FTPLIB_ACCOUNTNEEDED)
        m_control->close();
    m_remoteName = target.host.toUtf8();
    if (m_async)
        done.post(0, code, code);
    return code;
}

int FtpSession::quit()
{
    int code = begin();
    if (code != FTPLIB_OK)
        return code;
    FtpReply reply;
    code = m_control->command("QUIT", reply);
    m_control->close();
    return code == FTPLIB_OK && reply.kind() != 2 ? FTPLIB_UNEXPECTEDANSWER : code;
}

void FtpSession::interrupt(bool drop)
{
    drop ? m_interrupt.drop() : m_interrupt.abort();
}

int FtpSession::drop()
{
    if (transferRunning())
        m_interrupt.drop();
    waitForTransfer();
    m_interrupt.clear();
    m_loginCancelled = false;
    m_control->close();
    return FTPLIB_OK;
}

int FtpSession::simple(const QByteArray &line, int failure, int transient)
{
    FtpReply reply;
    const int code = exchange(line, reply);
    return code != FTPLIB_OK ? code : verdict(reply, failure, transient);
}

int FtpSession::sendAccount(const QByteArray &account)
{
    const int code = simple("ACCT " + account, FTPLIB_LOGINREFUSED, FTPLIB_LOGINREFUSED);
    return code == FTPLIB_OK ? protectData() : code;
}

int FtpSession::rename(const QByteArray &from, const QByteArray &to)
{
    FtpReply reply;
    int code = exchange("RNFR " + from, reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.code != 350)
        return reply.kind() == 2
                   ? FTPLIB_UNEXPECTEDANSWER
                   : verdict(reply, FTPLIB_SERVERCANTEXECUTE, FTPLIB_SERVERCANTEXECUTE);
    return simple("RNTO " + to, FTPLIB_SERVERCANTEXECUTE, FTPLIB_SERVERCANTEXECUTE);
}

int FtpSession::setType(char type)
{
    int code = begin();
    if (code != FTPLIB_OK || m_control->type == type)
        return code;
    FtpReply reply;
    code = m_control->command(QByteArray("TYPE ") + type, reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.kind() != 2)
        return FTPLIB_CANNOTCHANGETYPE;
    m_control->type = type;
    return FTPLIB_OK;
}

int FtpSession::command(const QByteArray &line, QByteArray &text)
{
    // A raw command's answer is its first reply, preliminary or not.
    FtpReply reply;
    if (begin() != FTPLIB_OK || m_control->send(line) != FTPLIB_OK ||
        m_control->readReply(reply) != FTPLIB_OK)
        return 0;
    // A raw TYPE changes what later transfers can take for granted: an accepted "TYPE I" or
    // "TYPE A" is the type now (no transfer need send it again), anything else is unknown.
    const QByteArray word = line.trimmed().toUpper();
    if (word.startsWith("TYPE")) {
        const bool known = (word == "TYPE I" || word == "TYPE A") && reply.kind() == 2;
        m_control->type = known ? word.back() : 0;
    }
    text = reply.text();
    return reply.code;
}

int FtpSession::systemType(const QList<QByteArray> &names)
{
    FtpReply reply;
    if (exchange("SYST", reply) != FTPLIB_OK || reply.code != 215)
        return int(names.size());
    const QByteArray system = reply.text().mid(4).toLower();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (system.contains(names[i].toLower()))
            return int(i);
    }
    return int(names.size());
}

int FtpSession::currentDir(QByteArray &dir)
{
    FtpReply reply;
    int code = exchange("PWD", reply);
    if (code != FTPLIB_OK)
        return code;
    if (reply.code != 257)
        return verdict(reply, FTPLIB_SERVERCANTEXECUTE, FTPLIB_SERVERCANTEXECUTE);
    const std::optional<QByteArray> name = quotedName(reply.firstText());
    if (!name)
        return FTPLIB_PWDBADFMT;
    dir = *name;
    return FTPLIB_OK;
}

int FtpSession::makeDir(const QByteArray &name, QByteArray &created)
{
    FtpReply reply;
    int code = exchange("MKD " + name, reply);
    if (code != FTPLIB_OK)
        return code;
    code = verdict(reply, FTPLIB_SERVERCANTEXECUTE, FTPLIB_SERVERCANTEXECUTE);
    if (code == FTPLIB_OK)
        created = quotedName(reply.firstText()).value_or(name);
    return code;
}

int FtpSession::abort()
{
    if (transferRunning())
        m_interrupt.abort();
    waitForTransfer();
    // The transfer that interrupt() stopped has sent ABOR itself.
    if (m_interrupt.raised()) {
        m_interrupt.clear();
        return m_control->isOpen() ? FTPLIB_OK : FTPLIB_NOTCONNECTED;
    }
    return simple("ABOR", FTPLIB_SERVERCANTEXECUTE, FTPLIB_SERVERCANTEXECUTE);
}

qint64 FtpSession::remoteSize(const QByteArray &name)
{
    if (begin() != FTPLIB_OK)
        return 0;
    m_control->setEcho(FtpNotify());
    FtpReply reply;
    const int code = m_control->command("SIZE " + name, reply);
    m_control->setEcho(m_echoOn ? m_echo : FtpNotify());
    return code == FTPLIB_OK && reply.code == 213 ? reply.firstText().trimmed().toLongLong() : 0;
}

int FtpSession::transfer(FtpTransfer::Request request, bool async, FtpNotify end, qint64 size)
{
    m_transferSize = size;
    // A synchronous transfer tells its outcome by its result alone.
    async = async && end.receiver;
    if (!async) {
        request.notify = FtpNotify();
        end = FtpNotify();
    }
    return run(std::move(request), async, [end](const FtpTransfer::Result &result) {
        end.post(1, result.bytes, result.code, result.failure);
        return result.code;
    });
}

int FtpSession::refuse(int code, bool async, const FtpNotify &end)
{
    waitForTransfer();
    if (async)
        end.post(1, -1, code);
    return code;
}

int FtpSession::list(FtpTransfer::Request request, FtpNotify end)
{
    return run(std::move(request), m_async && end.receiver,
               [end](const FtpTransfer::Result &result) {
                   // An empty directory, or the 450 that some servers give for it, is not a
                   // failure.
                   const bool nothing = result.commandReply == 450 ||
                                        (result.code == FTPLIB_OK && result.bytes == 0);
                   const int code = nothing ? -1 : result.code;
                   end.post(1, code, code);
                   return code;
               });
}

int FtpSession::run(FtpTransfer::Request request, bool async,
                    std::function<int(const FtpTransfer::Result &)> end)
{
    const int code = begin();
    if (code != FTPLIB_OK)
        return end({code, -1, 0, {}});
    // Read now, not when the session was made: the mode may change between transfers.
    request.passive = m_passive;
    request.tls = &m_tls;
    auto transfer = std::make_unique<FtpTransfer>(std::move(request), *m_control, m_interrupt);
    if (!async || m_inlineAsync) {
        const FtpTransfer::Result result = transfer->run();
        // The local file is complete and closed before anyone hears of the end.
        transfer.reset();
        const int code = end(result);
        return async ? FTPLIB_OK : code;
    }
    if (!m_transferThread)
        m_transferThread = std::make_unique<FtpTransferThread>();
    QThread *owner = QThread::currentThread();
    m_control->moveToThread(m_transferThread.get());
    // std::function wants a copyable job, so the job holds the transfer by a shared pointer;
    // it is the only holder.
    m_transferThread->submit(
        [this, owner, end = std::move(end),
         running = std::shared_ptr<FtpTransfer>(std::move(transfer))]() mutable {
            const FtpTransfer::Result result = running->run();
            // The local file is complete and closed before anyone hears of the end.
            running.reset();
            m_control->moveToThread(owner);
            end(result);
        });
    return FTPLIB_OK;
}

bool FtpSession::transferRunning()
{
    return m_transferThread && m_transferThread->busy();
}

void FtpSession::waitForTransfer()
{
    if (m_transferThread)
        m_transferThread->waitForJob();
}

QByteArray FtpSession::lastReply() const
{
    return m_control->lastReply();
}

QByteArray FtpSession::failure() const
{
    return m_control->failure();
}

quint32 FtpSession::remoteAddress() const
{
    return m_control->peerAddress().toIPv4Address();
}
