#include "upload/UploadJob.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "upload/UploadFields.h"

#include <QEventLoop>
#include <QTimer>

namespace {
const QString JobTitle = QStringLiteral("Lumora FTP Upload");
const QString DoneTitle = QStringLiteral("Lumora Web Page FTP Upload");
const char *const FatalBeforePages = "Fatal FTP Error Occurred!";
const char *const FatalLater = "Fatal FTP Error occurred!";
// A safety net only: the component's events wake every wait at once.
constexpr int RecheckMs = 500;
} // namespace

UploadJob::UploadJob(CRavelCtrl &ravel, UploadFields &fields, Dialogs &dialogs,
                     SettingsStore &store, QObject *parent)
    : QObject(parent), m_ravel(ravel), m_fields(fields), m_dialogs(dialogs), m_store(store)
{
    connect(&m_ravel, &CRavelCtrl::OnHostResponse, this, &UploadJob::onHostResponse);
    connect(&m_ravel, &CRavelCtrl::OnLogin, this, &UploadJob::onLogin);
    connect(&m_ravel, &CRavelCtrl::OnFTPError, this, &UploadJob::onFtpError);
    connect(&m_ravel, &CRavelCtrl::OnAsyncEvent, this, &UploadJob::onAsyncEvent);
}

void UploadJob::ConfigureComponent(CRavelCtrl &ravel)
{
    const QList<std::pair<const char *, QVariant>> values = {
        {"UserName", QStringLiteral("anonymous")},
        {"PassWord", QString()},
        {"RemoteHost", QStringLiteral("ftp.example.org")},
        {"InitDir", QString()},
        {"LocalFile", QString()},
        {"RemoteFile", QString()},
        {"ProxyUserID", QString()},
        {"ProxyHost", QString()},
        {"ProxyPassWd", QString()},
        {"LogFileName", QStringLiteral("FtpLog.log")},
        {"Port", 21},
        {"ProxyPort", 2323},
        {"TimeOut", 60},
        {"FileType", 1},
        {"ProxyType", 0},
        {"Passive", false},
        {"UseProxy", false},
        {"AsyncMode", true},
        {"LongDirs", true},
        {"VerboseMode", true},
        {"AppendToFile", false},
        {"LogToFile", false},
    };
    for (const auto &[name, value] : values)
        RavelDispatch::invoke(ravel, QLatin1String(name), RavelDispatch::Kind::Put, {value});
}

// --- the component's events ---

void UploadJob::onHostResponse(int code, const QString &command, const QString &response)
{
    m_flags.applyDirReady(code);
    addStatus(StatusTranscript::hostResponseLine(code, command, response));
    m_flags.applyFatal(code, command);
}

void UploadJob::onLogin(int resultCode)
{
    addStatus(
        StatusTranscript::loginLine(resultCode, get(QStringLiteral("RemoteHost")).toString()));
    m_flags.applyLogin(resultCode);
}

void UploadJob::onFtpError(int errorCode, const QString &errorText)
{
    addStatus(StatusTranscript::ftpErrorLine(errorCode, errorText));
}

void UploadJob::onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, const QString &, bool complete)
{
    m_transferCompleted = m_transferCompleted || complete;
    addStatus(StatusTranscript::progressLine(fileSize, bytesSoFar), true);
    emit progress(m_filesDone, m_filesTotal, bytesSoFar, fileSize);
}

void UploadJob::clearStatus()
{
    m_status.clear();
    emit statusChanged(m_status.text());
}

void UploadJob::addStatus(const QString &line, bool progressLine)
{
    if (progressLine)
        m_status.addProgressLine(line);
    else
        m_status.addLine(line);
    emit statusLine(line);
    emit statusChanged(m_status.text());
}

// --- talking to the component ---

std::optional<RavelError> UploadJob::call(const QString &method, const QVariantList &args)
{
    return RavelDispatch::invoke(m_ravel, method, RavelDispatch::Kind::Call, args).error;
}

void UploadJob::put(const QString &property, const QVariant &value)
{
    RavelDispatch::invoke(m_ravel, property, RavelDispatch::Kind::Put, {value});
}

QVariant UploadJob::get(const QString &property)
{
    return RavelDispatch::invoke(m_ravel, property, RavelDispatch::Kind::Get, {}).value;
}

bool UploadJob::stillExecuting()
{
    return get(QStringLiteral("StillExecuting")).toBool();
}

void UploadJob::waitUntil(const std::function<bool()> &done)
{
    if (done())
        return;
    QEventLoop loop;
    // The component changes its state after it has sent its event: look once it is back.
    auto check = [&] {
        QTimer::singleShot(0, &loop, [&] {
            if (done())
                loop.quit();
        });
    };
    const QList<QMetaObject::Connection> wakers = {
        connect(&m_ravel, &CRavelCtrl::OnHostResponse, &loop, check),
        connect(&m_ravel, &CRavelCtrl::OnLogin, &loop, check),
        connect(&m_ravel, &CRavelCtrl::OnFTPError, &loop, check),
        connect(&m_ravel, &CRavelCtrl::OnAsyncEvent, &loop, check),
    };
    QTimer recheck;
    connect(&recheck, &QTimer::timeout, &loop, check);
    recheck.start(RecheckMs);
    loop.exec();
    for (const auto &c : wakers)
        disconnect(c);
}

void UploadJob::waitIdle()
{
    waitUntil([this] { return !stillExecuting(); });
}

void UploadJob::report(const RavelError &error)
{
    m_dialogs.message(QStringLiteral("%1 - %2").arg(error.number()).arg(error.description()));
}

// --- the job ---

void UploadJob::setControlsEnabled(bool enabled)
{
    emit controlsEnabled(enabled);
}

bool UploadJob::login(const FtpSite &site)
{
    put(QStringLiteral("RemoteHost"), site.url);
    put(QStringLiteral("UserName"), site.userName);
    put(QStringLiteral("PassWord"), site.password);
    put(QStringLiteral("InitDir"), QString());
    if (get(QStringLiteral("Connected")).toBool()) {
        // No OnLogin will come for a session that is already open: use it.
        m_flags.login = UploadFlags::Login::LoggedIn;
        return true;
    }
    if (const std::optional<RavelError> error = call(QStringLiteral("Connect"))) {
        // Nor when Connect refused to start.
        report(*error);
        m_flags.login = UploadFlags::Login::Failed;
        return false;
    }
    waitUntil([this] { return m_flags.login != UploadFlags::Login::Waiting; });
    return m_flags.login == UploadFlags::Login::LoggedIn;
}

void UploadJob::CreateFtpDir(const QStringList &levels)
{
    for (const QString &level : levels) {
        for (const char *verb : {"MKD", "CWD"}) {
            if (const std::optional<RavelError> error = call(QLatin1String(verb), {level})) {
                report(*error);
                return;
            }
            waitIdle();
        }
    }
}

bool UploadJob::fatalCheck(const char *message)
{
    if (m_cancelled)
        return false;
    // A session that is gone cannot store anything more: going on would end in a
    // completion message for files that never arrived.
    if (!m_flags.fatalError && get(QStringLiteral("Connected")).toBool())
        return true;
    // What a user must send again after a broken session.
    addStatus(
        QStringLiteral("%1 of %2 pictures uploaded.").arg(m_picturesSent).arg(m_picturesTotal));
    m_dialogs.message(QLatin1String(message) + AppText::LineBreak +
                          QLatin1String("See the FTP Log for details."),
                      JobTitle, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
    CancelUpload();
    return false;
}

bool UploadJob::FtpStoreFile(const QString &localPath, const QString &remoteName)
{
    // A file that cannot be sent (a companion page the layout never wrote) is skipped;
    // the component's own events tell the status display why.
    put(QStringLiteral("LocalFile"), localPath);
    put(QStringLiteral("RemoteFile"), remoteName);
    put(QStringLiteral("AsyncMode"), true);
    m_transferCompleted = false;
    const bool started = !call(QStringLiteral("STOR"));
    if (started)
        waitIdle();
    ++m_filesDone;
    emit progress(m_filesDone, m_filesTotal, 0, 0);
    return started && m_transferCompleted;
}

bool UploadJob::store(const UploadPlan::File &file, const char *fatalMessage)
{
    if (!fatalCheck(fatalMessage))
        return false;
    addStatus(QLatin1String("Executing FTP Transfer of ") + file.statusName);
    FtpStoreFile(file.localPath, file.remoteName);
    return true;
}

UploadJob::Outcome UploadJob::finish(Outcome outcome)
{
    m_running = false;
    return outcome;
}

UploadJob::Outcome UploadJob::run(const WorkingSet &set, const std::function<bool()> &autoSpace)
{
    m_flags.fatalError = false;
    m_flags.dirReady = false;
    FtpSite site = m_fields.site();
    if (site.url.isEmpty()) {
        m_dialogs.message(QStringLiteral("An FTP URL must be entered."), Dialogs::Icon::Critical);
        return Outcome::Refused;
    }
    if (site.filePath.isEmpty()) {
        m_dialogs.message(QLatin1String("You must Generate an HTML File to Upload.") +
                              AppText::LineBreak +
                              QLatin1String("The Generated file path will be displayed in the "
                                            "(Uploading:) Text Box."),
                          Dialogs::Icon::Critical);
        return Outcome::Refused;
    }
    m_running = true;
    m_cancelled = false;
    setControlsEnabled(false);
    clearStatus();

    const UploadPlan plan = UploadPlan::make(set, site.urlPath, site.filePath, autoSpace());
    m_fields.setUrlPath(plan.targetPath);
    site.urlPath = plan.targetPath;
    m_fields.showSites(FtpSiteMemory(m_store).RememberFtpSite(site));
    m_filesDone = 0;
    m_filesTotal = int(plan.pages.size() + plan.extras.size() + plan.pictures.size());
    m_picturesSent = 0;
    m_picturesTotal = int(plan.pictures.size());

    m_flags.login = UploadFlags::Login::Waiting;
    addStatus(QLatin1String("Connecting to: ") + m_fields.site().url);
    const FtpSite current = m_fields.site();
    if (!login({current.url, current.userName, current.password, QString(), QString()})) {
        m_dialogs.message(QStringLiteral("FTP Connect Failed!"));
        setControlsEnabled(true);
        return finish(Outcome::Failed);
    }
    emit busyPointer(true);

    if (!plan.targetPath.isEmpty()) {
        CreateFtpDir(plan.directoryLevels);
        if (const std::optional<RavelError> error = call(QStringLiteral("CWD"), {plan.targetPath}))
            report(*error);
        // The first transfer needs the component free again, so the final CWD is waited for.
        waitIdle();
        if (!m_flags.dirReady) {
            m_dialogs.message(QLatin1String("Create Directory ") + plan.targetPath +
                                  QLatin1String(" Failed!") + AppText::LineBreak +
                                  QLatin1String("See the FTP Log for details."),
                              JobTitle, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
            CancelUpload();
            return finish(Outcome::Cancelled);
        }
    }

    for (const UploadPlan::File &page : plan.pages)
        if (!store(page, FatalBeforePages))
            return finish(Outcome::Cancelled);
    if (!fatalCheck(FatalLater))
        return finish(Outcome::Cancelled);
    for (const UploadPlan::File &extra : plan.extras) {
        addStatus(QLatin1String("Executing FTP Transfer of ") + extra.statusName);
        FtpStoreFile(extra.localPath, extra.remoteName);
        if (!fatalCheck(FatalLater))
            return finish(Outcome::Cancelled);
    }
    const int count = int(plan.pictures.size());
    for (int i = 0; i < count; ++i) {
        const UploadPlan::File &picture = plan.pictures[i];
        addStatus(QLatin1String("Executing FTP Transfer of ") + picture.statusName);
        emit pictureStarted(QStringLiteral("Uploading %1 of %2").arg(i + 1).arg(count),
                            picture.localPath);
        if (FtpStoreFile(picture.localPath, picture.remoteName))
            ++m_picturesSent;
        if (!fatalCheck(FatalLater))
            return finish(Outcome::Cancelled);
    }

    emit busyPointer(false);
    call(QStringLiteral("QUIT"));
    waitIdle();
    addStatus(QStringLiteral("FTP Upload Complete."));
    m_dialogs.message(QLatin1String("FTP Upload Complete.") + AppText::LineBreak +
                          QLatin1String("Web Page: ") + plan.targetPath + set.output.baseName +
                          QLatin1String(".html") + AppText::LineBreak +
                          QLatin1String("Created at: ") + m_fields.site().url,
                      DoneTitle, Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    setControlsEnabled(true);
    return finish(Outcome::Completed);
}

void UploadJob::CancelUpload()
{
    m_cancelled = true;
    call(QStringLiteral("LocalClose"));
    addStatus(QStringLiteral("FTP Upload Cancelled."));
    emit busyPointer(false);
    m_dialogs.message(QStringLiteral("FTP Upload Cancelled."), DoneTitle,
                      Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    setControlsEnabled(true);
}
