#include "ravel/RavelWorkerJobs.h"

#include "ravel/RavelError.h"
#include "ravel/RavelFileError.h"
#include "ravel/RavelJobEvent.h"
#include "ravel/RavelNotifyEvent.h"
#include "ravel/RavelState.h"

#include <QDir>
#include <QHostAddress>
#include <QHostInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <unistd.h>

using namespace RavelMessages;

namespace {

// Server system names in HostType order; the index found is the HostType value.
const char *const SystemNames[] = {"Chameleon",
                                   "214-PC FTP server",
                                   "IBM-PC TCP/IP",
                                   "MVS",
                                   "KA9/NOS",
                                   "NCSA",
                                   "SI NT FTPD",
                                   "Super TCP",
                                   "Unisys 5000 (EXOS)",
                                   "UNIX",
                                   "MultiNet",
                                   "VMS-UCX",
                                   "VMS",
                                   "QVT",
                                   "Windows_NT",
                                   "Solaris",
                                   "WINDOWS NT/Software Innovations",
                                   "PC Type: L8",
                                   "NetWare",
                                   "MSDOS Reflection FTP Server",
                                   nullptr};

QByteArray wire(const QString &text)
{
    return text.toUtf8();
}

QString fromBuffer(const QByteArray &buffer)
{
    return QString::fromUtf8(buffer.constData());
}

} // namespace

RavelWorkerJobs::RavelWorkerJobs(QObject *owner, RavelState &state, RavelFtpLibrary &library)
    : m_owner(owner), m_state(state), m_library(library)
{
}

void RavelWorkerJobs::endSession()
{
    setLog(false, {});
    if (m_library->EndSession() == FTPLIB_STILLCONNECTED) {
        if (m_library->Quit() != FTPLIB_OK)
            m_library->DropConnection();
        m_library->EndSession();
    }
}

void RavelWorkerJobs::execute(RavelJobEvent &job)
{
    const auto &lib = m_library;
    const QByteArray path = wire(job.remotePath);
    // Until its end the transfer's replies need not wake the host (RavelNotifyQueue).
    if (m_async && isTransfer(job.job))
        m_state.notices.deferUntilTransferEnd();
    switch (job.job) {
    case Abort:
        lib->Abort();
        break;
    case Login:
        login(job);
        break;
    case ParentDir:
        reportFailure(lib->ParentDir());
        break;
    case ChangeDir: {
        const int code = lib->ChangeDir(path.constData());
        if (code == FTPLIB_OK)
            m_state.changeTexts([&](RavelState::Texts &t) { t.currentDir = job.remotePath; });
        reportFailure(code);
        break;
    }
    case Delete:
        reportFailure(lib->Delete(path.constData()));
        break;
    case IdentifyHost:
        m_state.hostType = lib->SystemType(SystemNames);
        break;
    case ReadAddresses:
        readAddresses();
        break;
    case List:
        list(job);
        break;
    case DropConnection:
        dropConnection();
        break;
    case MakeDir: {
        QByteArray buffer(260, '\0');
        const int code = lib->MakeDir(path.constData(), buffer.data(), int(buffer.size()));
        if (code == FTPLIB_OK)
            m_state.changeTexts([&](RavelState::Texts &t) { t.result = fromBuffer(buffer); });
        reportFailure(code);
        break;
    }
    case CurrentDir: {
        QByteArray buffer(5000, '\0');
        const int code = lib->CurrentDir(buffer.data(), int(buffer.size()));
        if (code == FTPLIB_OK)
            m_state.changeTexts([&](RavelState::Texts &t) { t.currentDir = fromBuffer(buffer); });
        reportFailure(code);
        break;
    }
    case Quit: {
        const int code = lib->Quit();
        if (code != FTPLIB_OK) {
            lib->DropConnection();
            report(code);
        }
        m_state.connected = false;
        m_state.restSupported = false;
        m_state.busy = false;
        break;
    }
    case RawCommand: {
        QByteArray buffer(32000, '\0');
        m_state.lastReplyCode =
            lib->Command(wire(job.commandLine).constData(), buffer.data(), int(buffer.size()));
        m_state.changeTexts([&](RavelState::Texts &t) { t.result = fromBuffer(buffer); });
        break;
    }
    case RestartReceive:
    case RestartSend:
        restart(job);
        break;
    case Receive:
        receive(job);
        break;
    case RemoveDir:
        reportFailure(lib->RemoveDir(path.constData()));
        break;
    case Rename:
        reportFailure(lib->Rename(path.constData(), wire(job.newName).constData()));
        break;
    case AsyncOnOff:
        m_async = job.on;
        m_async ? lib->AsyncOn() : lib->AsyncOff();
        break;
    case LogOnOff:
        setLog(job.on, job.logFile);
        break;
    case PassiveOnOff:
        lib->SetPassive(job.on);
        break;
    case EchoOnOff:
        lib->SetReplyEcho(job.on, m_owner, HostReply);
        break;
    case Send: {
        const RavelJobEvent::Transfer &t = job.transfer;
        const QByteArray local = wire(t.local);
        const QByteArray remote = wire(t.remote);
        reportFailure(t.append ? lib->SendAppend(local.constData(), remote.constData(), t.type,
                                                 m_async, progressReceiver(), TransferProgress)
                               : lib->Send(local.constData(), remote.constData(), t.type, m_async,
                                           t.unique, progressReceiver(), TransferProgress));
        break;
    }
    case SetPort:
        lib->SetPort(job.port);
        break;
    case SetTimeout:
        lib->SetTimeout(job.timeoutSeconds);
        break;
    case Liveness:
        m_state.connected = lib->Command("NOOP", nullptr, 0) == 200;
        break;
    case EndWorker:
        break;
    case LossCheck:
        checkLoss(job.lossCode, job.afterTransfer);
        break;
    }
}

void RavelWorkerJobs::login(const RavelJobEvent &job)
{
    const RavelJobEvent::Login &l = job.login;
    int code = FTPLIB_CANCELBYUSER;
    bool begun = false;
    {
        const std::lock_guard lock(m_state.loginCancel.mutex);
        begun = m_state.loginCancel.running = !m_state.loginCancel.cancelled;
    }
    m_library->SetSecurity(l.security);
    m_library->SetTrustedFingerprints(wire(l.trustedFingerprint).constData());
    if (begun && !l.caFile.isEmpty() &&
        m_library->AddCaFile(QFile::encodeName(l.caFile).constData()) != FTPLIB_OK) {
        m_state.changeTexts([&](RavelState::Texts &t) {
            t.certificateProblem =
                QStringLiteral("Cannot read certificates (PEM) from %1").arg(l.caFile);
        });
    }
    if (!begun) {
        // Cancelled before it began.
    } else if (l.useProxy) {
        code =
            m_library->FirewallLogin(wire(l.proxyHost).constData(), wire(l.proxyUser).constData(),
                                     wire(l.proxyPassword).constData(), wire(l.host).constData(),
                                     wire(l.user).constData(), wire(l.password).constData(),
                                     FTPLIB_FW_SITE + 3 * l.proxyType, l.proxyPort, nullptr, 0);
    } else {
        code = m_library->Login(wire(l.host).constData(), wire(l.user).constData(),
                                wire(l.password).constData(), nullptr, 0);
    }
    if (code == FTPLIB_ACCOUNTNEEDED)
        code = m_library->SendAccount(wire(l.account).constData());
    {
        const std::lock_guard lock(m_state.loginCancel.mutex);
        m_state.loginCancel.running = false;
        // A cancel that came after the library finished still wins: the host dropped it.
        if (m_state.loginCancel.cancelled) {
            m_library->DropConnection();
            code = FTPLIB_CANCELBYUSER;
        }
    }
    m_state.tls = m_library->TlsActive() != 0;
    const QString fingerprint = QString::fromLatin1(m_library->PeerFingerprint());
    const QString reason = QString::fromUtf8(m_library->CertificateError());
    const QString problem =
        code == FTPLIB_UNTRUSTEDCERT
            ? QStringLiteral("The server's certificate is not trusted (SHA-256 %1): %2")
                  .arg(fingerprint, reason)
            : QString();
    const QByteArray certificate = m_library->PeerCertificate();
    m_state.changeTexts([&](RavelState::Texts &t) {
        t.peerFingerprint = fingerprint;
        t.peerCertificate = certificate;
        t.certificateReason = reason;
        // A CA file that could not be read is the likelier cause of an untrusted certificate.
        if (code == FTPLIB_UNTRUSTEDCERT && !t.certificateProblem.isEmpty())
            t.certificateProblem = problem + QLatin1String("; ") + t.certificateProblem;
        else
            t.certificateProblem = problem;
    });
    m_state.lastReplyCode = code;
    // Posted here rather than by the library so that the account step is part of the result.
    if (l.notify)
        notifyOwner(RavelNotifyEvent::loginDone(code));
}

void RavelWorkerJobs::readAddresses()
{
    const QString localName = QHostInfo::localHostName();
    QString localAddress = QStringLiteral("0.0.0.0");
    const QHostInfo local = QHostInfo::fromName(localName);
    for (const QHostAddress &address : local.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            localAddress = address.toString();
            break;
        }
    }
    QByteArray name(289, '\0');
    unsigned char address[4] = {};
    const bool remote = m_library->RemoteHost(name.data(), int(name.size()), address) == 0;
    m_state.changeTexts([&](RavelState::Texts &t) {
        t.localName = localName;
        t.localAddress = localAddress;
        if (remote) {
            t.remoteName = fromBuffer(name);
            t.remoteAddress = QStringLiteral("%1.%2.%3.%4")
                                  .arg(address[0])
                                  .arg(address[1])
                                  .arg(address[2])
                                  .arg(address[3]);
        }
    });
}

void RavelWorkerJobs::list(const RavelJobEvent &job)
{
    const QByteArray path = wire(job.remotePath);
    if (m_async) {
        m_library->List(path.constData(), nullptr, job.longDirs, m_owner, ListLine);
        return;
    }
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("DIRXXXXXX")));
    if (!file.open())
        throw RavelFileError(errno,
                             QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    const QByteArray name = QFile::encodeName(file.fileName());
    file.close();
    const int code = m_library->List(path.constData(), name.constData(), job.longDirs, nullptr, 0);
    if (code == -1)
        return;
    if (code != FTPLIB_OK) {
        report(code);
        return;
    }
    if (!file.open())
        throw RavelFileError(errno,
                             QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RavelFileError(errno,
                             QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    m_state.changeTexts([&](RavelState::Texts &t) { t.result = fromBuffer(bytes); });
}

void RavelWorkerJobs::receive(const RavelJobEvent &job)
{
    const RavelJobEvent::Transfer &t = job.transfer;
    const int typed = m_library->SetType(t.type);
    if (typed != FTPLIB_OK) {
        report(typed);
        // Like every asynchronous transfer, it ends with its notification.
        if (m_async)
            m_state.notices.append(
                std::make_unique<FtpLibNotifyEvent>(TransferProgress, 1, -1, typed, QByteArray()));
        return;
    }
    const QByteArray remote = wire(t.remote);
    const QByteArray local = wire(t.local);
    const auto start = t.append ? m_library->ReceiveAppend : m_library->Receive;
    // The host shows the download's size with every progress report, and only the library
    // knows it, once the call has asked the server: so the transfer runs on the library's
    // own thread, and the size is read here before the first report can arrive.
    m_library->SetInlineAsync(0);
    const int code = start(remote.constData(), local.constData(), t.type, m_async,
                           progressReceiver(), TransferProgress);
    m_library->SetInlineAsync(1);
    if (m_async)
        m_state.fileSize = m_library->TransferSize();
    else
        reportFailure(code);
}

void RavelWorkerJobs::restart(const RavelJobEvent &job)
{
    const int fd = job.transfer.descriptor;
    const QByteArray remote = wire(job.transfer.remote);
    const qint64 size = job.transfer.restartSize;
    const int code = job.job == RestartSend
                         ? m_library->RestartSend(fd, remote.constData(), 'I', m_async, size,
                                                  progressReceiver(), TransferProgress)
                         : m_library->RestartReceive(remote.constData(), fd, 'I', m_async, size,
                                                     progressReceiver(), TransferProgress);
    reportFailure(code);
    // The descriptor is the job's own copy; in asynchronous mode the library holds it until
    // its end notification, and the component closes its file then.
    if (!m_async)
        ::close(fd);
}

void RavelWorkerJobs::setLog(bool on, const QString &fileName)
{
    if (!on) {
        if (m_log) {
            m_library->SetLogFile(-1);
            m_log.reset();
        }
        return;
    }
    if (m_log || fileName.isEmpty())
        return;
    auto log = std::make_unique<QFile>(fileName);
    if (!log->open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw RavelFileError(errno, QStringLiteral("%1: %2").arg(fileName, log->errorString()));
    m_library->SetLogFile(log->handle());
    m_log = std::move(log);
}

void RavelWorkerJobs::clearBusy()
{
    // Nothing else would ever clear it, and every checked call would be refused.
    m_state.busy = false;
    notifyOwner(RavelNotifyEvent::jobEnded());
}

void RavelWorkerJobs::dropConnection()
{
    m_library->DropConnection();
    m_state.transfer = false;
    m_state.connected = false;
    m_state.busy = false;
}

void RavelWorkerJobs::report(int code)
{
    // The server's words are taken before the liveness check replaces them with its own.
    const QString reply = QString::fromUtf8(m_library->LastReply()).trimmed();
    const QString failure = QString::fromUtf8(m_library->LastFailure());
    if (code == FTPLIB_NOTCONNECTED || code == FTPLIB_UNKNOWNHOST || code == FTPLIB_NOREPLY ||
        code == FTPLIB_SENDREFUSED) {
        if (m_library->Command("NOOP", nullptr, 0) != 200) {
            m_library->ResetAfterLoss();
            dropConnection();
        }
    } else if (code == FTPLIB_CONNECTREJECTED) {
        m_library->DropConnection();
    }
    fireReport(code, reply, failure);
}

void RavelWorkerJobs::checkLoss(int code, bool afterTransfer)
{
    const QString reply = QString::fromUtf8(m_library->LastReply()).trimmed();
    // Already handled (a job before this one failed on the same loss, or LocalClose ran).
    const bool gone = m_state.connected && m_library->Command("NOOP", nullptr, 0) != 200;
    if (!gone) {
        if (afterTransfer)
            clearBusy();
        return;
    }
    m_library->ResetAfterLoss();
    dropConnection();
    fireReport(code, reply, {});
}

void RavelWorkerJobs::fireReport(int code, const QString &reply, const QString &failure)
{
    QString text = QString::fromUtf8(m_library->ErrorText(code));
    if (!failure.isEmpty())
        text += QStringLiteral(" (%1)").arg(failure);
    fireError(RavelError::hresultOf(RavelError::resultCode(code)),
              reply.isEmpty() ? QStringLiteral("Error: %1").arg(text)
                              : QStringLiteral("Error: %1\n\nHost Response: %2").arg(text, reply));
}

void RavelWorkerJobs::notifyOwner(RavelNotifyEvent *event)
{
    m_state.notices.append(std::unique_ptr<QEvent>(event));
}

void RavelWorkerJobs::fireError(qint32 number, const QString &text)
{
    notifyOwner(RavelNotifyEvent::workerError(number, text));
}
