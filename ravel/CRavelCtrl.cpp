#include "ravel/CRavelCtrl.h"

#include "ravel/CRavelThread.h"
#include "ravel/RavelFtpLibrary.h"
#include "ravel/RavelJobEvent.h"
#include "ravel/RavelNotifyEvent.h"
#include "ravel/RavelPagesLibrary.h"
#include "ravel/TsanOrder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <unistd.h>

using namespace RavelMessages;

namespace {

// Texts that go to the server must stay one command line.
bool safeOnWire(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QChar(0));
}

// Result codes with which a transfer ends when the control connection may be gone.
bool mayMeanLoss(int code)
{
    return code == FTPLIB_NOTCONNECTED || code == FTPLIB_NOREPLY || code == FTPLIB_SENDREFUSED ||
           code == FTPLIB_UNEXPECTEDANSWER;
}

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace

CRavelCtrl::CRavelCtrl(QObject *parent)
    : QObject(parent), m_RemoteHost(QStringLiteral("ftp.example.com")),
      m_UserName(QStringLiteral("anonymous")), m_PassWord(QStringLiteral("guest@example.com")),
      m_libraryPath(RavelFtpLibrary::besideComponent())
{
    QCoreApplication::postEvent(this, new QEvent(eventType(StartWorker)));
}

CRavelCtrl::~CRavelCtrl()
{
    if (m_state.ready) {
        m_state.busy = false;
        runJob(newJob(EndWorker), Waits::Always);
    }
    // A worker still starting would otherwise wait in its event loop for an end never sent;
    // a quit before its loop runs ends that loop at once.
    if (m_worker)
        m_worker->quit();
    m_worker.reset();
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

// --- worker and waits ---

bool CRavelCtrl::startWorker()
{
    if (m_worker)
        return false;
    const CRavelThread::Settings settings{m_AsyncMode, m_Passive, m_VerboseMode, m_Port, m_TimeOut};
    m_worker =
        std::make_unique<CRavelThread>(this, m_state, m_success, m_error, m_libraryPath, settings);
    m_worker->start();
    return true;
}

bool CRavelCtrl::waitUntilReady()
{
    if (workerReady())
        return true;
    m_worker->join();
    raise(RavelError::workerNotReady(m_worker->failure()));
    return false;
}

bool CRavelCtrl::workerReady()
{
    startWorker();
    // Every change of ready or ended posts readyChanged after it, so none is missed here.
    if (!m_state.ready && !m_worker->hasEnded()) {
        QEventLoop loop;
        connect(m_worker.get(), &CRavelThread::readyChanged, &loop, [&] {
            if (m_state.ready || m_worker->hasEnded())
                loop.quit();
        });
        loop.exec();
    }
    return m_state.ready;
}

void CRavelCtrl::updateWorkerSettings()
{
    // A worker not started yet takes them from the properties when it starts.
    if (!m_worker || !workerReady())
        return;
    const std::pair<Job, qint64> settings[] = {{AsyncOnOff, m_AsyncMode},
                                               {PassiveOnOff, m_Passive},
                                               {EchoOnOff, m_VerboseMode},
                                               {SetPort, m_Port},
                                               {SetTimeout, m_TimeOut}};
    for (const auto &[job, value] : settings) {
        auto event = newJob(job);
        event->value = value;
        m_worker->post(std::move(event));
    }
}

bool CRavelCtrl::busyCheck()
{
    if (!waitUntilReady())
        return false;
    if (m_state.busy) {
        raise(RavelError::make(RavelError::NumberBusy, RavelError::TextBusy));
        return false;
    }
    return true;
}

std::unique_ptr<RavelJobEvent> CRavelCtrl::newJob(Job job)
{
    return std::make_unique<RavelJobEvent>(job, ++m_lastJob);
}

bool CRavelCtrl::runJob(std::unique_ptr<RavelJobEvent> job, Waits waits)
{
    if (!waitUntilReady())
        return false;
    const quint64 sequence = job->sequence;
    // Set before the post: a worker quick enough to end the job and clear the flag first
    // would otherwise leave it set for good.
    const bool wasBusy = m_state.busy.exchange(true);
    if (!m_worker->post(std::move(job))) {
        m_state.busy = wasBusy;
        return false;
    }
    if (waits == Waits::Never || (waits == Waits::WhenSync && m_AsyncMode))
        return true;
    const bool succeeded = waitForJob(sequence);
    m_state.busy = false;
    return succeeded;
}

bool CRavelCtrl::runSimpleJob(Job job, const QString &argument, Waits waits)
{
    auto event = newJob(job);
    event->second = argument;
    return runJob(std::move(event), waits);
}

bool CRavelCtrl::waitForJob(quint64 sequence)
{
    const auto ended = [&] { return m_success.isSetFor(sequence) || m_error.isSetFor(sequence); };
    if (m_TimeOut > 0) {
        QEventLoop loop;
        QTimer quiet;
        quiet.setSingleShot(true);
        const auto check = [&] {
            if (ended())
                loop.quit();
        };
        connect(&m_success, &RavelJobSignal::signalled, &loop, check);
        connect(&m_error, &RavelJobSignal::signalled, &loop, check);
        connect(this, &CRavelCtrl::activity, &quiet, [&] { quiet.start(); });
        connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
        quiet.start(m_TimeOut * 1000);
        if (!ended())
            loop.exec();
    }
    if (!ended())
        return false;
    // What the worker posted before it signalled reaches the host before the call returns.
    QCoreApplication::sendPostedEvents(this);
    return !m_error.isSetFor(sequence);
}

// --- notifications ---

bool CRavelCtrl::event(QEvent *event)
{
    TsanOrder::acquire(m_state.posts);
    const int type = event->type();
    if (type == StartWorker) {
        startWorker();
        return true;
    }
    if (type == FtpLibNotifyEvent::EventType) {
        const auto &n = static_cast<FtpLibNotifyEvent *>(event)->received();
        switch (n.message) {
        case HostReply:
            onHostReply(QString::fromUtf8(n.text));
            break;
        case ListLine:
            onListLine(n.first != 0, QString::fromUtf8(n.text), n.code);
            break;
        case TransferProgress:
            if (n.first != 0)
                m_transferFailure = QString::fromUtf8(n.text);
            onTransferProgress(n.first != 0, n.second, n.code);
            break;
        case ConnectionLost:
            if (m_state.connected)
                postLossCheck(n.code, false);
            break;
        default:
            break;
        }
    } else if (type == WorkerError) {
        const auto &n = *static_cast<RavelNotifyEvent *>(event);
        emit OnFTPError(int(n.first), n.text);
    } else if (type == LoginDone) {
        completeLogin(int(static_cast<RavelNotifyEvent *>(event)->second));
    } else if (type != JobEnded) {
        return QObject::event(event);
    }
    // After the handling, so that whoever looks at the state then sees it changed.
    emit activity();
    return true;
}

void CRavelCtrl::onHostReply(const QString &reply)
{
    const int code = reply.left(3).toInt();
    if (code == 221) {
        m_state.connected = false;
        m_state.busy = false;
    }
    if (code == 426 && m_command == QLatin1String("ABOR")) {
        m_state.busy = false;
        m_state.transfer = false;
        m_restartFile.reset();
        m_state.hostType = 0;
        emit OnFTPError(RAVELERR_CANCELBYUSER, QStringLiteral("Action Cancelled By User"));
    }
    if (code == 425 || code == 426 || code == 450 || code == 451 || (code >= 550 && code <= 553)) {
        m_state.transfer = false;
        m_state.busy = false;
    }
    if (m_VerboseMode)
        emit OnHostResponse(code, m_command, reply);
}

void CRavelCtrl::onListLine(bool complete, const QString &line, int code)
{
    m_state.busy = !complete;
    if (complete && m_AsyncMode)
        emit OnDirList(QString(), true, code);
    else
        emit OnDirList(line, complete, 0);
}

void CRavelCtrl::onTransferProgress(bool end, qint64 bytes, int code)
{
    const bool complete = end && bytes >= 0;
    m_state.bytes = bytes;
    emit OnAsyncEvent(m_state.fileSize, bytes, m_command, complete);
    if (end) {
        m_state.transfer = false;
        m_restartFile.reset();
        // The worker clears the busy flag once it has looked, so a host that waits for
        // StillExecuting then finds Connected settled too.
        const bool checking =
            !complete && mayMeanLoss(code) && m_state.connected && postLossCheck(code, true);
        if (!checking)
            m_state.busy = false;
    }
}

bool CRavelCtrl::postLossCheck(int code, bool afterTransfer)
{
    if (!m_worker || !m_state.ready)
        return false;
    auto job = newJob(LossCheck);
    job->value = code;
    job->afterTransfer = afterTransfer;
    return m_worker->post(std::move(job));
}

// --- properties ---

bool CRavelCtrl::outOfRange(int value, int low, int high)
{
    if (value >= low && value <= high)
        return false;
    raise(RavelError::make(RavelError::NumberOutOfRange, RavelError::TextOutOfRange));
    return true;
}

bool CRavelCtrl::runValueJob(Job job, qint64 value, const QString &argument)
{
    auto event = newJob(job);
    event->value = value;
    event->second = argument;
    return runJob(std::move(event), Waits::Always);
}

int CRavelCtrl::HostType()
{
    if (!busyCheck() || !m_state.connected)
        return 0;
    m_command = QStringLiteral("SYST");
    runJob(newJob(IdentifyHost), Waits::Always);
    return m_state.hostType;
}

void CRavelCtrl::setHostType(int)
{
    raise(RavelError::make(RavelError::NumberReadOnlyProperty, RavelError::TextReadOnlyAtRuntime));
}

void CRavelCtrl::setPassive(bool value)
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("PASV");
    if (runValueJob(PassiveOnOff, value))
        m_Passive = value;
}

void CRavelCtrl::setProxyPort(int value)
{
    if (!outOfRange(value, 0, 32768))
        m_ProxyPort = value;
}

void CRavelCtrl::setProxyType(int value)
{
    if (!outOfRange(value, RAVEL_FWSITE, RAVEL_FWUSERNOLOGON))
        m_ProxyType = value;
}

void CRavelCtrl::setVerboseMode(bool value)
{
    if (busyCheck() && runValueJob(EchoOnOff, value))
        m_VerboseMode = value;
}

void CRavelCtrl::setAsyncMode(bool value)
{
    if (busyCheck() && runValueJob(AsyncOnOff, value))
        m_AsyncMode = value;
}

void CRavelCtrl::setFileType(int value)
{
    if (!outOfRange(value, RAVEL_TYPE_ASCII, RAVEL_TYPE_BINARY))
        m_FileType = value;
}

void CRavelCtrl::setPort(int value)
{
    if (!outOfRange(value, 0, 32768) && busyCheck() && runValueJob(SetPort, value))
        m_Port = value;
}

void CRavelCtrl::setTimeOut(int value)
{
    // Negative values have no meaning; 16 bits as published.
    if (outOfRange(value, 0, 32767) || !busyCheck())
        return;
    // Stored even when its own wait fails: with a time-out of 0 every wait does, and the
    // host could never raise the time-out again.
    runValueJob(SetTimeout, value);
    m_TimeOut = value;
}

void CRavelCtrl::setLogToFile(bool value)
{
    if (busyCheck() && runValueJob(LogOnOff, value, m_LogFileName))
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

// --- arguments ---

std::optional<QString> CRavelCtrl::resolveFileName(const QVariant &given, const QString &property)
{
    QString name = property;
    if (given.isValid()) {
        if (given.typeId() != QMetaType::QString) {
            raise(RavelError::make(RavelError::NumberParameterType, RavelError::TextTypeMismatch));
            return std::nullopt;
        }
        name = given.toString();
    }
    if (name.isEmpty()) {
        raise(RavelError::make(RavelError::NumberEmptyArgument, RavelError::TextEmptyArgument));
        return std::nullopt;
    }
    if (!safeOnWire(name)) {
        raise(RavelError::invalidArgument());
        return std::nullopt;
    }
    return name;
}

bool CRavelCtrl::checkedText(const QString &text)
{
    if (text.isEmpty()) {
        raise(RavelError::make(RavelError::NumberEmptyArgument, RavelError::TextEmptyArgument));
        return false;
    }
    if (!safeOnWire(text)) {
        raise(RavelError::invalidArgument());
        return false;
    }
    return true;
}

// --- methods ---

void CRavelCtrl::Connect()
{
    if (!busyCheck())
        return;
    if (m_state.connected) {
        raise(
            RavelError::make(RavelError::NumberAlreadyConnected, RavelError::TextAlreadyConnected));
        return;
    }
    m_command = QStringLiteral("CONNECT");
    auto job = newJob(Login);
    job->value = m_AsyncMode;
    job->login = {m_RemoteHost, m_UserName,    m_PassWord,    m_Account,   m_UseProxy,
                  m_ProxyHost,  m_ProxyUserID, m_ProxyPassWd, m_ProxyType, m_ProxyPort};
    m_state.lastReplyCode = FTPLIB_TIMEOUT;
    {
        const std::lock_guard lock(m_state.loginCancel.mutex);
        m_state.loginCancel.cancelled = false;
    }
    const bool waited = runJob(std::move(job), Waits::WhenSync);
    if (m_AsyncMode)
        return;
    // A login that outlasts the wait must not leave a connection that Connected denies.
    if (!waited)
        runJob(newJob(DropConnection), Waits::Never);
    completeLogin(waited ? m_state.lastReplyCode.load() : FTPLIB_TIMEOUT);
}

void CRavelCtrl::completeLogin(int code)
{
    if (code != FTPLIB_OK) {
        m_state.connected = false;
    } else {
        runJob(newJob(ReadAddresses), Waits::Always);
        m_state.connected = true;
        // Servers refuse a restart in ASCII mode, which would hide their REST support.
        m_command = QStringLiteral("TYPE");
        rawCommand(QStringLiteral("TYPE I"));
        m_command = QStringLiteral("REST");
        m_state.restSupported = rawCommand(QStringLiteral("REST 100")) == 350;
        if (m_state.restSupported)
            rawCommand(QStringLiteral("REST 0"));
        if (!m_InitDir.isEmpty() && safeOnWire(m_InitDir)) {
            m_command = QStringLiteral("CWD");
            runSimpleJob(ChangeDir, m_InitDir, Waits::Always);
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
    runSimpleJob(RawCommand, commandLine, Waits::Always);
    return m_state.lastReplyCode;
}

void CRavelCtrl::CWD(const QString &DirName)
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("CWD");
    const QString dir = DirName.isEmpty() ? m_state.texts().currentDir : DirName;
    if (checkedText(dir))
        runSimpleJob(ChangeDir, dir, Waits::Always);
}

void CRavelCtrl::RNFR(const QString &RemoteFile, const QString &NewFile)
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("RNFR");
    if (!checkedText(RemoteFile) || !checkedText(NewFile))
        return;
    auto job = newJob(Rename);
    job->first = RemoteFile;
    job->second = NewFile;
    runJob(std::move(job), Waits::WhenSync);
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
    runJob(newJob(Quit), Waits::WhenSync);
}

void CRavelCtrl::ABOR()
{
    m_command = QStringLiteral("ABOR");
    runJob(newJob(Abort), Waits::Always);
}

void CRavelCtrl::LocalClose()
{
    cancelLogin();
    m_command = QStringLiteral("ABOR");
    runJob(newJob(DropConnection), Waits::Always);
}

QString CRavelCtrl::PWD()
{
    if (!busyCheck())
        return {};
    m_command = QStringLiteral("PWD");
    runJob(newJob(CurrentDir), Waits::Always);
    return m_state.texts().currentDir;
}

void CRavelCtrl::CDUP()
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("CDUP");
    runJob(newJob(ParentDir), Waits::WhenSync);
}

QString CRavelCtrl::MKD(const QString &RemotePath)
{
    if (!busyCheck() || !checkedText(RemotePath))
        return {};
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    m_command = QStringLiteral("MKD");
    runSimpleJob(MakeDir, RemotePath, Waits::Always);
    return m_state.texts().result;
}

void CRavelCtrl::RMD(const QString &RemotePath)
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("RMD");
    if (checkedText(RemotePath))
        runSimpleJob(RemoveDir, RemotePath, Waits::WhenSync);
}

void CRavelCtrl::DELE(const QVariant &RemoteFile)
{
    if (!busyCheck())
        return;
    m_command = QStringLiteral("DELE");
    if (const auto name = resolveFileName(RemoteFile, m_RemoteFile))
        runSimpleJob(Delete, *name, Waits::WhenSync);
}

void CRavelCtrl::LIST(const QVariant &RemotePath)
{
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    if (!busyCheck())
        return;
    m_command = QStringLiteral("LIST");
    QString path;
    if (RemotePath.isValid()) {
        if (RemotePath.typeId() != QMetaType::QString) {
            raise(RavelError::make(RavelError::NumberOutOfRange, RavelError::TextTypeMismatch));
            return;
        }
        path = RemotePath.toString();
        if (!safeOnWire(path)) {
            raise(RavelError::invalidArgument());
            return;
        }
    }
    auto job = newJob(List);
    job->second = path;
    job->longDirs = m_LongDirs;
    runJob(std::move(job), Waits::WhenSync);
    if (!m_AsyncMode)
        onListLine(true, m_state.texts().result, 0);
}

bool CRavelCtrl::resolveTransferNames(const QVariant &local, const QVariant &remote)
{
    const auto localName = resolveFileName(local, m_LocalFile);
    if (!localName)
        return false;
    const auto remoteName = resolveFileName(remote, m_RemoteFile);
    if (!remoteName)
        return false;
    m_LocalFile = *localName;
    m_RemoteFile = *remoteName;
    return true;
}

void CRavelCtrl::runTransfer(std::unique_ptr<RavelJobEvent> job, const QString &command)
{
    m_command = command;
    job->type = m_FileType == RAVEL_TYPE_BINARY ? 'I' : 'A';
    job->append = m_AppendToFile;
    m_state.transfer = true;
    runJob(std::move(job), Waits::WhenSync);
    if (!m_AsyncMode)
        m_state.transfer = false;
}

void CRavelCtrl::RETR(const QVariant &RemoteFile, const QVariant &LocalFile)
{
    if (!busyCheck() || !resolveTransferNames(LocalFile, RemoteFile))
        return;
    auto job = newJob(Receive);
    job->first = m_RemoteFile;
    job->second = m_LocalFile;
    runTransfer(std::move(job), QStringLiteral("RETR"));
}

void CRavelCtrl::STOR(const QVariant &LocalFile, const QVariant &RemoteFile,
                      const QVariant &bUnique)
{
    if (!busyCheck() || !resolveTransferNames(LocalFile, RemoteFile))
        return;
    const bool unique = bUnique.isValid() && bUnique.toInt() != 0;
    const QFileInfo local(m_LocalFile);
    if (!local.isFile()) {
        raise(RavelError::fileNotFound(m_LocalFile));
        return;
    }
    // An empty file is stored too: skipping it would leave the server without it, unreported.
    m_state.fileSize = local.size();
    auto job = newJob(Send);
    job->first = m_LocalFile;
    job->second = m_RemoteFile;
    job->unique = unique;
    runTransfer(std::move(job), unique ? QStringLiteral("STOU") : QStringLiteral("STOR"));
}

void CRavelCtrl::runRestart(std::unique_ptr<RavelJobEvent> job, QIODevice::OpenMode mode,
                            qint64 position, const QString &command)
{
    auto file = std::make_unique<QFile>(m_LocalFile);
    errno = 0;
    if (!file->open(mode | QIODevice::Unbuffered) || !file->seek(position)) {
        raise(RavelError::make(errno ? errno : EIO, RavelError::TextCreateFile));
        return;
    }
    if (m_AsyncMode) {
        // The library reads or writes it until its end notification, which closes it.
        job->value = file->handle();
        m_restartFile = std::move(file);
    } else {
        // The job gets a descriptor of its own: a wait that times out must not close the
        // file under the library's feet.
        job->value = ::dup(file->handle());
        if (job->value < 0) {
            raise(RavelError::make(errno, RavelError::TextCreateFile));
            return;
        }
    }
    m_state.bytes = position;
    runTransfer(std::move(job), command);
}

void CRavelCtrl::RESTSTOR(const QVariant &LocalFile, const QVariant &RemoteFile,
                          const QVariant &ByteCount)
{
    if (!busyCheck() || !resolveTransferNames(LocalFile, RemoteFile))
        return;
    const qint64 point = ByteCount.isValid() ? ByteCount.toLongLong() : remoteSize(m_RemoteFile);
    if (point <= 0) {
        raise(RavelError::make(RavelError::NumberNoByteCount, RavelError::TextZeroByteCount));
        return;
    }
    auto job = newJob(RestartSend);
    job->second = m_RemoteFile;
    job->restartParameter = QFileInfo(m_LocalFile).size();
    m_state.fileSize = job->restartParameter;
    runRestart(std::move(job), QIODevice::ReadOnly, point, QStringLiteral("RESTSTOR"));
}

void CRavelCtrl::RESTRETR(const QVariant &RemoteFile, const QVariant &LocalFile,
                          const QVariant &ByteCount)
{
    if (!busyCheck() || !resolveTransferNames(LocalFile, RemoteFile))
        return;
    // Without a count, the download goes on from what the local file already holds.
    const qint64 point =
        ByteCount.isValid() ? ByteCount.toLongLong() : QFileInfo(m_LocalFile).size();
    if (point <= 0) {
        raise(RavelError::make(RavelError::NumberNoByteCount, RavelError::TextZeroByteCount));
        return;
    }
    auto job = newJob(RestartReceive);
    job->first = m_RemoteFile;
    job->restartParameter = point;
    runRestart(std::move(job), QIODevice::ReadWrite | QIODevice::ExistingOnly, point,
               QStringLiteral("RESTRETR"));
}

bool CRavelCtrl::CheckRemoteConnection()
{
    if (!busyCheck())
        return false;
    runJob(newJob(Liveness), Waits::Always);
    return m_state.connected;
}

const RavelFtpLibrary *CRavelCtrl::hostLibrary()
{
    if (!m_hostLibrary) {
        auto library = std::make_unique<RavelFtpLibrary>();
        QString error;
        if (!library->load(m_libraryPath, &error)) {
            raise(RavelError::workerNotReady(error));
            return nullptr;
        }
        m_hostLibrary = std::move(library);
    }
    return m_hostLibrary.get();
}

QString CRavelCtrl::GetErrString(int ErrCode)
{
    const RavelFtpLibrary *library = hostLibrary();
    return library ? QString::fromUtf8((*library)->ErrorText(RavelError::libraryCode(ErrCode)))
                   : QString();
}

void CRavelCtrl::cancelLogin()
{
    const std::lock_guard lock(m_state.loginCancel.mutex);
    m_state.loginCancel.cancelled = true;
    // Breaks the login's waits, so the drop that follows need not wait behind them.
    if (m_state.loginCancel.running) {
        if (const RavelFtpLibrary *library = hostLibrary())
            (*library)->CancelLogin(m_state.session.load());
    }
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
    if (!busyCheck())
        return 0;
    const auto name = resolveFileName(RemoteFile, m_RemoteFile);
    return name ? remoteSize(*name) : 0;
}

std::optional<QFileInfo> CRavelCtrl::existingLocalFile(const QVariant &LocalFile)
{
    const auto name = resolveFileName(LocalFile, m_LocalFile);
    if (!name)
        return std::nullopt;
    const QFileInfo info(*name);
    if (!info.exists()) {
        raise(RavelError::fileNotFound(*name));
        return std::nullopt;
    }
    return info;
}

qint64 CRavelCtrl::SIZELocal(const QVariant &LocalFile)
{
    const auto info = existingLocalFile(LocalFile);
    return info ? info->size() : 0;
}

QDateTime CRavelCtrl::MDTM(const QVariant &RemoteFile)
{
    if (!busyCheck())
        return zeroDate();
    const auto name = resolveFileName(RemoteFile, m_RemoteFile);
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
    if (!busyCheck())
        return zeroDate();
    const auto info = existingLocalFile(LocalFile);
    return info ? info->lastModified() : zeroDate();
}

int CRavelCtrl::QUOT(const QVariant &CmdString, QString &Reply)
{
    m_state.lastReplyCode = 0;
    if (!busyCheck())
        return 0;
    m_state.changeTexts([](RavelState::Texts &t) { t.result.clear(); });
    const QString line = CmdString.isValid() ? CmdString.toString() : QString();
    if (!checkedText(line))
        return 0;
    m_command = line.section(QLatin1Char(' '), 0, 0);
    rawCommand(line);
    Reply = m_state.texts().result;
    return m_state.lastReplyCode;
}
