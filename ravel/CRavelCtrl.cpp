#include "ravel/CRavelCtrl.h"

#include "ravel/RavelFtpLibrary.h"
#include "ravel/RavelJobEvent.h"
#include "ravel/RavelNotifyEvent.h"
#include "ravel/RavelPagesLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace RavelMessages;

namespace {

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace

CRavelCtrl::CRavelCtrl(QObject *parent)
    : QObject(parent), m_RemoteHost(QStringLiteral("ftp.example.com")),
      m_UserName(QStringLiteral("anonymous")), m_PassWord(QStringLiteral("guest@example.com")),
      m_jobs(*this, m_state, m_raised, RavelFtpLibrary::besideComponent()),
      m_notifications(*this, m_state, m_jobs, m_command)
{
    m_state.notices.setReceiver(this);
    QCoreApplication::postEvent(this, new QEvent(eventType(StartWorker)));
}

CRavelCtrl::~CRavelCtrl()
{
    m_jobs.endWorker();
}

std::optional<RavelError> CRavelCtrl::takeError()
{
    return std::exchange(m_raised, std::nullopt);
}

void CRavelCtrl::notifyPropertyChanged(int dispid)
{
    m_modified = true;
    emit propertyChanged(dispid);
}

void CRavelCtrl::raise(const RavelError &error)
{
    m_raised = error;
}

QString CRavelCtrl::defaultLibraryPath()
{
    return RavelFtpLibrary::besideComponent();
}

// --- notifications ---

bool CRavelCtrl::event(QEvent *event)
{
    m_state.notices.received();
    const int type = event->type();
    if (type == StartWorker) {
        m_jobs.startWorker();
        return true;
    }
    if (type != RavelNotifyQueue::Ready)
        return QObject::event(event);
    m_state.notices.drain([this](QEvent &notice) {
        if (notice.type() == eventType(LoginDone))
            completeLogin(static_cast<RavelNotifyEvent &>(notice).loginCode);
        else
            m_notifications.handle(notice);
        // After the handling, so that whoever looks at the state then sees it changed.
        emit activity();
    });
    return true;
}

// --- properties ---

int CRavelCtrl::HostType()
{
    if (!m_jobs.busyCheck() || !m_state.connected)
        return 0;
    m_command = QStringLiteral("SYST");
    m_jobs.run(m_jobs.newJob(IdentifyHost), Waits::Always);
    return m_state.hostType;
}

void CRavelCtrl::setHostType(int)
{
    raise(RavelError::make(RavelError::NumberReadOnlyProperty, RavelError::TextReadOnlyAtRuntime));
}

void CRavelCtrl::setPassive(bool value)
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("PASV");
    if (m_jobs.runSwitch(PassiveOnOff, value))
        m_Passive = value;
}

void CRavelCtrl::setProxyPort(int value)
{
    if (!m_arguments.outOfRange(value, 0, 32768))
        m_ProxyPort = value;
}

void CRavelCtrl::setSecurity(int value)
{
    if (!m_arguments.outOfRange(value, FTPLIB_SECURITY_PLAIN, FTPLIB_SECURITY_REQUIRED))
        m_Security = value;
}

void CRavelCtrl::setProxyType(int value)
{
    if (!m_arguments.outOfRange(value, RAVEL_FWSITE, RAVEL_FWUSERNOLOGON))
        m_ProxyType = value;
}

void CRavelCtrl::setVerboseMode(bool value)
{
    if (m_jobs.busyCheck() && m_jobs.runSwitch(EchoOnOff, value))
        m_VerboseMode = value;
}

void CRavelCtrl::setAsyncMode(bool value)
{
    // The worker holds the property's value already: writing it again (as an upload does
    // before every file) needs no round trip to it.
    if (m_jobs.busyCheck() && (value == m_AsyncMode || m_jobs.runSwitch(AsyncOnOff, value)))
        m_AsyncMode = value;
}

void CRavelCtrl::setFileType(int value)
{
    if (!m_arguments.outOfRange(value, RAVEL_TYPE_ASCII, RAVEL_TYPE_BINARY))
        m_FileType = value;
}

void CRavelCtrl::setPort(int value)
{
    if (m_arguments.outOfRange(value, 0, 32768) || !m_jobs.busyCheck())
        return;
    auto job = m_jobs.newJob(SetPort);
    job->port = value;
    if (m_jobs.run(std::move(job), Waits::Always))
        m_Port = value;
}

void CRavelCtrl::setTimeOut(int value)
{
    // Negative values have no meaning; 16 bits as published.
    if (m_arguments.outOfRange(value, 0, 32767) || !m_jobs.busyCheck())
        return;
    // Stored even when its own wait fails: with a time-out of 0 every wait does, and the
    // host could never raise the time-out again.
    auto job = m_jobs.newJob(SetTimeout);
    job->timeoutSeconds = value;
    m_jobs.run(std::move(job), Waits::Always);
    m_TimeOut = value;
}

void CRavelCtrl::setLogToFile(bool value)
{
    if (m_jobs.busyCheck() && m_jobs.runSwitch(LogOnOff, value, m_LogFileName))
        m_LogToFile = value;
}

QString CRavelCtrl::connectedText(QString RavelState::Texts::*field)
{
    if (!m_state.connected) {
        raise(
            RavelError::make(RavelError::NumberNotYetAvailable, RavelError::TextReadOnlyAtRuntime));
        return {};
    }
    return m_state.texts().*field;
}

QString CRavelCtrl::LocalIPAddress()
{
    return connectedText(&RavelState::Texts::localAddress);
}

QString CRavelCtrl::RemoteIPAddress()
{
    return connectedText(&RavelState::Texts::remoteAddress);
}

QString CRavelCtrl::RemoteHName()
{
    return connectedText(&RavelState::Texts::remoteName);
}

QString CRavelCtrl::LocalHName()
{
    return connectedText(&RavelState::Texts::localName);
}

// --- methods ---

void CRavelCtrl::Connect()
{
    if (!m_jobs.busyCheck())
        return;
    if (m_state.connected) {
        raise(
            RavelError::make(RavelError::NumberAlreadyConnected, RavelError::TextAlreadyConnected));
        return;
    }
    m_command = QStringLiteral("CONNECT");
    auto job = m_jobs.newJob(Login);
    job->login = {m_RemoteHost, m_UserName,    m_PassWord,           m_Account,   m_UseProxy,
                  m_ProxyHost,  m_ProxyUserID, m_ProxyPassWd,        m_ProxyType, m_ProxyPort,
                  m_AsyncMode,  m_Security,    m_TrustedFingerprint, m_CaFile};
    m_state.lastReplyCode = FTPLIB_TIMEOUT;
    {
        const std::lock_guard lock(m_state.loginCancel.mutex);
        m_state.loginCancel.cancelled = false;
    }
    const bool waited = m_jobs.run(std::move(job), Waits::WhenSync);
    if (m_AsyncMode)
        return;
    // A login that outlasts the wait must not leave a connection that Connected denies.
    if (!waited)
        m_jobs.run(m_jobs.newJob(DropConnection), Waits::Never);
    completeLogin(waited ? m_state.lastReplyCode.load() : FTPLIB_TIMEOUT);
}

void CRavelCtrl::completeLogin(int code)
{
    if (code == FTPLIB_UNTRUSTEDCERT)
        emit OnFTPError(RAVELERR_UNTRUSTEDCERT, m_state.texts().certificateProblem);
    if (code != FTPLIB_OK) {
        m_state.connected = false;
    } else {
        m_jobs.run(m_jobs.newJob(ReadAddresses), Waits::Always);
        m_state.connected = true;
        // Servers refuse a restart in ASCII mode, which would hide their REST support.
        m_command = QStringLiteral("TYPE");
        rawCommand(QStringLiteral("TYPE I"));
        m_command = QStringLiteral("REST");
        m_state.restSupported = rawCommand(QStringLiteral("REST 100")) == 350;
        if (m_state.restSupported)
            rawCommand(QStringLiteral("REST 0"));
        if (!m_InitDir.isEmpty() && RavelArguments::safeOnWire(m_InitDir)) {
            m_command = QStringLiteral("CWD");
            m_jobs.runPath(ChangeDir, m_InitDir, Waits::Always);
        }
    }
    m_state.busy = false;
    emit OnLogin(RavelError::resultCode(code));
}

int CRavelCtrl::rawCommand(const QString &commandLine)
{
    // A wait that times out must not leave the previous command's answer to be read as this one's.
    m_state.lastReplyCode = 0;
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    auto job = m_jobs.newJob(RawCommand);
    job->commandLine = commandLine;
    m_jobs.run(std::move(job), Waits::Always);
    return m_state.lastReplyCode;
}

void CRavelCtrl::CWD(const QString &DirName)
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("CWD");
    const QString dir = DirName.isEmpty() ? m_state.texts().currentDir : DirName;
    if (m_arguments.checkedText(dir))
        m_jobs.runPath(ChangeDir, dir, Waits::Always);
}

void CRavelCtrl::RNFR(const QString &RemoteFile, const QString &NewFile)
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("RNFR");
    if (!m_arguments.checkedText(RemoteFile) || !m_arguments.checkedText(NewFile))
        return;
    auto job = m_jobs.newJob(Rename);
    job->remotePath = RemoteFile;
    job->newName = NewFile;
    m_jobs.run(std::move(job), Waits::WhenSync);
}

void CRavelCtrl::ShowPropPage()
{
    if (const auto error = RavelPagesLibrary::showPropertyFrame(*this))
        raise(*error);
}

void CRavelCtrl::AboutBox()
{
    if (const auto error = RavelPagesLibrary::showAboutBox(*this))
        raise(*error);
}

void CRavelCtrl::QUIT()
{
    m_command = QStringLiteral("QUIT");
    m_jobs.run(m_jobs.newJob(Quit), Waits::WhenSync);
}

void CRavelCtrl::ABOR()
{
    m_command = QStringLiteral("ABOR");
    m_jobs.interruptTransfer(false);
    m_jobs.run(m_jobs.newJob(Abort), Waits::Always);
}

void CRavelCtrl::LocalClose()
{
    m_jobs.cancelLogin();
    m_jobs.interruptTransfer(true);
    m_command = QStringLiteral("ABOR");
    m_jobs.run(m_jobs.newJob(DropConnection), Waits::Always);
}

QString CRavelCtrl::PWD()
{
    if (!m_jobs.busyCheck())
        return {};
    m_command = QStringLiteral("PWD");
    m_jobs.run(m_jobs.newJob(CurrentDir), Waits::Always);
    return m_state.texts().currentDir;
}

void CRavelCtrl::CDUP()
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("CDUP");
    m_jobs.run(m_jobs.newJob(ParentDir), Waits::WhenSync);
}

QString CRavelCtrl::MKD(const QString &RemotePath)
{
    if (!m_jobs.busyCheck() || !m_arguments.checkedText(RemotePath))
        return {};
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    m_command = QStringLiteral("MKD");
    m_jobs.runPath(MakeDir, RemotePath, Waits::Always);
    return m_state.texts().result;
}

void CRavelCtrl::RMD(const QString &RemotePath)
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("RMD");
    if (m_arguments.checkedText(RemotePath))
        m_jobs.runPath(RemoveDir, RemotePath, Waits::WhenSync);
}

void CRavelCtrl::DELE(const QVariant &RemoteFile)
{
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("DELE");
    if (const auto name = m_arguments.fileName(RemoteFile, m_RemoteFile))
        m_jobs.runPath(Delete, *name, Waits::WhenSync);
}

void CRavelCtrl::LIST(const QVariant &RemotePath)
{
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    if (!m_jobs.busyCheck())
        return;
    m_command = QStringLiteral("LIST");
    const auto path = m_arguments.listPath(RemotePath);
    if (!path)
        return;
    auto job = m_jobs.newJob(List);
    job->remotePath = *path;
    job->longDirs = m_LongDirs;
    m_jobs.run(std::move(job), Waits::WhenSync);
    if (!m_AsyncMode)
        m_notifications.onListLine(true, m_state.texts().result, 0);
}

void CRavelCtrl::runTransfer(std::unique_ptr<RavelJobEvent> job, const QString &command)
{
    m_command = command;
    job->transfer.type = m_FileType == RAVEL_TYPE_BINARY ? 'I' : 'A';
    job->transfer.append = m_AppendToFile;
    m_jobs.runTransfer(std::move(job));
}

void CRavelCtrl::RETR(const QVariant &RemoteFile, const QVariant &LocalFile)
{
    if (!m_jobs.busyCheck() ||
        !m_arguments.transferNames(LocalFile, RemoteFile, m_LocalFile, m_RemoteFile))
        return;
    auto job = m_jobs.newJob(Receive);
    job->transfer.remote = m_RemoteFile;
    job->transfer.local = m_LocalFile;
    runTransfer(std::move(job), QStringLiteral("RETR"));
}

void CRavelCtrl::STOR(const QVariant &LocalFile, const QVariant &RemoteFile,
                      const QVariant &bUnique)
{
    if (!m_jobs.busyCheck() ||
        !m_arguments.transferNames(LocalFile, RemoteFile, m_LocalFile, m_RemoteFile))
        return;
    const bool unique = bUnique.isValid() && bUnique.toInt() != 0;
    const QFileInfo local(m_LocalFile);
    if (!local.isFile()) {
        raise(RavelError::fileNotFound(m_LocalFile));
        return;
    }
    // An empty file is stored too: skipping it would leave the server without it, unreported.
    m_state.fileSize = local.size();
    auto job = m_jobs.newJob(Send);
    job->transfer.local = m_LocalFile;
    job->transfer.remote = m_RemoteFile;
    job->transfer.unique = unique;
    runTransfer(std::move(job), unique ? QStringLiteral("STOU") : QStringLiteral("STOR"));
}

void CRavelCtrl::runRestart(std::unique_ptr<RavelJobEvent> job, QIODevice::OpenMode mode,
                            qint64 position, const QString &command)
{
    if (!m_jobs.handOffRestartFile(*job, m_LocalFile, mode, position))
        return;
    m_state.bytes = position;
    runTransfer(std::move(job), command);
}

void CRavelCtrl::RESTSTOR(const QVariant &LocalFile, const QVariant &RemoteFile,
                          const QVariant &ByteCount)
{
    if (!m_jobs.busyCheck() ||
        !m_arguments.transferNames(LocalFile, RemoteFile, m_LocalFile, m_RemoteFile))
        return;
    const qint64 point = ByteCount.isValid() ? ByteCount.toLongLong() : remoteSize(m_RemoteFile);
    if (point <= 0) {
        raise(RavelError::make(RavelError::NumberNoByteCount, RavelError::TextZeroByteCount));
        return;
    }
    auto job = m_jobs.newJob(RestartSend);
    job->transfer.remote = m_RemoteFile;
    job->transfer.restartSize = QFileInfo(m_LocalFile).size();
    m_state.fileSize = job->transfer.restartSize;
    runRestart(std::move(job), QIODevice::ReadOnly, point, QStringLiteral("RESTSTOR"));
}

void CRavelCtrl::RESTRETR(const QVariant &RemoteFile, const QVariant &LocalFile,
                          const QVariant &ByteCount)
{
    if (!m_jobs.busyCheck() ||
        !m_arguments.transferNames(LocalFile, RemoteFile, m_LocalFile, m_RemoteFile))
        return;
    // Without a count, the download goes on from what the local file already holds.
    const qint64 point =
        ByteCount.isValid() ? ByteCount.toLongLong() : QFileInfo(m_LocalFile).size();
    if (point <= 0) {
        raise(RavelError::make(RavelError::NumberNoByteCount, RavelError::TextZeroByteCount));
        return;
    }
    auto job = m_jobs.newJob(RestartReceive);
    job->transfer.remote = m_RemoteFile;
    job->transfer.restartSize = point;
    runRestart(std::move(job), QIODevice::ReadWrite | QIODevice::ExistingOnly, point,
               QStringLiteral("RESTRETR"));
}

bool CRavelCtrl::CheckRemoteConnection()
{
    if (!m_jobs.busyCheck())
        return false;
    m_jobs.run(m_jobs.newJob(Liveness), Waits::Always);
    return m_state.connected;
}

QString CRavelCtrl::GetErrString(int ErrCode)
{
    const RavelFtpLibrary *library = m_jobs.hostLibrary();
    return library ? QString::fromUtf8((*library)->ErrorText(RavelError::libraryCode(ErrCode)))
                   : QString();
}

qint64 CRavelCtrl::remoteSize(const QString &name)
{
    m_command = QStringLiteral("SIZE");
    if (rawCommand(QStringLiteral("SIZE %1").arg(name)) != 213)
        return 0;
    const QString text = m_state.texts().result.mid(4);
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return text.left(digits).toLongLong();
}

qint64 CRavelCtrl::SIZE(const QVariant &RemoteFile)
{
    if (!m_jobs.busyCheck())
        return 0;
    const auto name = m_arguments.fileName(RemoteFile, m_RemoteFile);
    return name ? remoteSize(*name) : 0;
}

qint64 CRavelCtrl::SIZELocal(const QVariant &LocalFile)
{
    const auto info = m_arguments.existingLocalFile(LocalFile, m_LocalFile);
    return info ? info->size() : 0;
}

QDateTime CRavelCtrl::MDTM(const QVariant &RemoteFile)
{
    if (!m_jobs.busyCheck())
        return zeroDate();
    const auto name = m_arguments.fileName(RemoteFile, m_RemoteFile);
    if (!name)
        return zeroDate();
    m_command = QStringLiteral("MDTM");
    if (rawCommand(QStringLiteral("MDTM %1").arg(*name)) != 213)
        return zeroDate();
    const QString text = m_state.texts().result;
    const auto field = [&](int from, int length) { return text.mid(from, length).toInt(); };
    const QDateTime when(QDate(field(4, 4), field(8, 2), field(10, 2)),
                         QTime(field(12, 2), field(14, 2), field(16, 2)));
    return when.isValid() ? when : zeroDate();
}

QDateTime CRavelCtrl::MDTMLocal(const QVariant &LocalFile)
{
    if (!m_jobs.busyCheck())
        return zeroDate();
    const auto info = m_arguments.existingLocalFile(LocalFile, m_LocalFile);
    return info ? info->lastModified() : zeroDate();
}

int CRavelCtrl::QUOT(const QVariant &CmdString, QString &Reply)
{
    m_state.lastReplyCode = 0;
    if (!m_jobs.busyCheck())
        return 0;
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    const QString line = CmdString.isValid() ? CmdString.toString() : QString();
    if (!m_arguments.checkedText(line))
        return 0;
    m_command = line.section(QLatin1Char(' '), 0, 0);
    rawCommand(line);
    Reply = m_state.texts().result;
    return m_state.lastReplyCode;
}
