#include "upload/UploadJob.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "upload/CertificateTrust.h"
#include "upload/ParallelStores.h"
#include "upload/SitePasswords.h"
#include "upload/StoreLane.h"
#include "upload/UploadFields.h"

#include <QFileInfo>

namespace {
const QString JobTitle = QStringLiteral("Lumora FTP Upload");
const QString DoneTitle = QStringLiteral("Lumora Web Page FTP Upload");
const char *const FatalBeforePages = "Fatal FTP Error Occurred!";
const char *const FatalLater = "Fatal FTP Error occurred!";
} // namespace

UploadJob::UploadJob(CRavelCtrl &ravel, UploadFields &fields, Dialogs &dialogs,
                     SettingsStore &store, QObject *parent)
    : QObject(parent), m_ravel(ravel), m_session(ravel), m_fields(fields), m_dialogs(dialogs),
      m_store(store)
{
    connect(&m_ravel, &CRavelCtrl::OnHostResponse, this, &UploadJob::onHostResponse);
    connect(&m_ravel, &CRavelCtrl::OnLogin, this, &UploadJob::onLogin);
    connect(&m_ravel, &CRavelCtrl::OnFTPError, this, &UploadJob::onFtpError);
    connect(&m_ravel, &CRavelCtrl::OnAsyncEvent, this, &UploadJob::onAsyncEvent);
}

void UploadJob::setSitePasswords(SitePasswords &passwords)
{
    m_passwords = &passwords;
    connect(&passwords, &SitePasswords::stored, this,
            [this](const QString &line) { addStatus(line); });
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
    // When TLS is only wanted, a refused AUTH TLS leaves a plain session: the login's result
    // weighs the refusals it meets, not the fatal rule.
    if (m_flags.login != UploadFlags::Login::Waiting || !m_tlsOptional)
        m_flags.applyFatal(code, command);
    if (m_storing && command == QLatin1String("STOR") && code >= 200) {
        m_storReply = code;
        if (code >= 400)
            m_storFailure = StatusTranscript::shown(response);
    }
    if (m_flags.login == UploadFlags::Login::Waiting && code >= 400)
        m_loginRefusal = response;
}

void UploadJob::onLogin(int resultCode)
{
    addStatus(StatusTranscript::loginLine(resultCode,
                                          m_session.get(QStringLiteral("RemoteHost")).toString()));
    m_loginResult = resultCode;
    m_flags.applyLogin(resultCode);
}

void UploadJob::onFtpError(int errorCode, const QString &errorText)
{
    addStatus(StatusTranscript::ftpErrorLine(errorCode, errorText));
    // The server's own refusal says more than the component's error that follows it.
    if (m_storing && m_storFailure.isEmpty())
        m_storFailure = StatusTranscript::shown(errorText);
}

void UploadJob::onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, const QString &, bool complete)
{
    m_transferCompleted = m_transferCompleted || complete;
    // The library's account of a data connection that failed names the address it tried.
    if (m_storing && bytesSoFar < 0 && m_storFailure.isEmpty())
        m_storFailure = StatusTranscript::shown(m_ravel.transferFailure());
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
    m_session.put(QStringLiteral("Security"), int(site.security));
    m_tlsOptional = site.security == TlsMode::Auto;
    QStringList accepted = {CertificateTrust(m_store).fingerprint(site.url), m_extraFingerprint};
    // Bounded: a server that shows another certificate on every try is not asked for ever.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_session.put(QStringLiteral("TrustedFingerprint"), accepted.join(QLatin1Char(' ')));
        if (connectOnce(site)) {
            if (site.security == TlsMode::Auto &&
                !m_session.get(QStringLiteral("TlsActive")).toBool())
                addStatus(QStringLiteral("TLS not offered by %1: using plain FTP").arg(site.url));
            return true;
        }
        if (m_cancelled || m_loginResult != CRavelCtrl::RAVELERR_UNTRUSTEDCERT)
            return false;
        const std::optional<QString> fingerprint = judgeCertificate(site.url);
        if (!fingerprint)
            return false;
        accepted.append(*fingerprint);
    }
    return false;
}

std::optional<QString> UploadJob::judgeCertificate(const QString &host)
{
    CertificateTrust trust(m_store);
    const QString seen = CertificateTrust::normalized(m_ravel.PeerFingerprint());
    const QString reason = m_ravel.certificateReason();
    const Dialogs::Trust verdict =
        m_dialogs.trustCertificate(CertificateTrust::describe(host, m_ravel.peerCertificate(),
                                                              reason, trust.fingerprint(host)),
                                   QStringLiteral("Untrusted Certificate"));
    if (verdict == Dialogs::Trust::Cancel || seen.isEmpty()) {
        m_loginRefusal = QStringLiteral("Certificate not trusted (SHA-256 %1): %2")
                             .arg(CertificateTrust::shown(seen), reason);
        if (!m_certificateHint.isEmpty())
            m_loginRefusal += QLatin1String(". ") + m_certificateHint.arg(seen);
        return std::nullopt;
    }
    if (verdict == Dialogs::Trust::Always)
        trust.trust(host, seen);
    addStatus(QStringLiteral("Certificate of %1 accepted (SHA-256 %2)")
                  .arg(host, CertificateTrust::shown(seen)));
    return seen;
}

bool UploadJob::connectOnce(const FtpSite &site)
{
    m_flags.login = UploadFlags::Login::Waiting;
    m_loginRefusal.clear();
    m_loginResult = 0;
    m_session.put(QStringLiteral("RemoteHost"), site.url);
    m_session.put(QStringLiteral("UserName"), site.userName);
    m_session.put(QStringLiteral("PassWord"), site.password);
    m_session.put(QStringLiteral("InitDir"), QString());
    if (m_cancelled)
        return false;
    if (m_session.get(QStringLiteral("Connected")).toBool()) {
        // No OnLogin will come for a session that is already open: use it.
        m_flags.login = UploadFlags::Login::LoggedIn;
        return true;
    }
    if (const std::optional<RavelError> error = m_session.call(QStringLiteral("Connect"))) {
        // Nor when Connect refused to start.
        report(*error);
        m_loginRefusal = error->description();
        m_flags.login = UploadFlags::Login::Failed;
        return false;
    }
    m_session.waitUntil(
        [this] { return m_cancelled || m_flags.login != UploadFlags::Login::Waiting; });
    return !m_cancelled && m_flags.login == UploadFlags::Login::LoggedIn;
}

QString UploadJob::connectFailure(const FtpSite &site)
{
    return StatusTranscript::connectFailureLine(
        site.url, m_session.get(QStringLiteral("Port")).toInt(), m_loginResult,
        m_session.get(QStringLiteral("TimeOut")).toInt(), m_loginRefusal);
}

void UploadJob::CreateFtpDir(const QStringList &levels)
{
    for (const QString &level : levels) {
        for (const char *verb : {"MKD", "CWD"}) {
            if (m_cancelled)
                return;
            if (const std::optional<RavelError> error =
                    m_session.call(QLatin1String(verb), {level})) {
                report(*error);
                return;
            }
            m_session.waitIdle();
        }
    }
}

bool UploadJob::fatalCheck(const char *message)
{
    if (m_cancelled)
        return false;
    // A session that is gone cannot store anything more: going on would end in a
    // completion message for files that never arrived.
    if (!m_flags.fatalError && m_session.get(QStringLiteral("Connected")).toBool())
        return true;
    // What a user must send again after a broken session.
    addStatus(
        QStringLiteral("%1 of %2 pictures uploaded.").arg(m_picturesSent).arg(m_picturesTotal));
    m_dialogs.message(QLatin1String(message) + AppText::LineBreak + m_logHint, JobTitle,
                      Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
    CancelUpload();
    return false;
}

std::optional<QString> UploadJob::FtpStoreFile(const QString &localPath, const QString &remoteName)
{
    const QFileInfo info(localPath);
    const QString problem = StoreLane::localProblem(info);
    m_session.put(QStringLiteral("LocalFile"), localPath);
    m_session.put(QStringLiteral("RemoteFile"), remoteName);
    m_session.put(QStringLiteral("AsyncMode"), true);
    m_transferCompleted = false;
    m_storReply = 0;
    m_storFailure.clear();
    m_storing = true;
    // A missing file goes to the component, which reports it; a FIFO or device would hold
    // the transfer for ever, so it never gets that far.
    bool started = false;
    if (problem.isEmpty() || !info.exists()) {
        m_session.expectTransfer();
        started = !m_session.call(QStringLiteral("STOR"));
        // The next file must not start, nor be blamed for this one's end, before it came.
        if (started)
            m_session.waitTransferEnd([this] { return m_cancelled; });
    }
    m_storing = false;
    ++m_filesDone;
    emit progress(m_filesDone, m_filesTotal, 0, 0);
    return StoreLane::verdict(problem, started, m_transferCompleted, m_storReply, m_storFailure,
                              m_cancelled);
}

bool UploadJob::skipUnchanged(const UploadPlan::File &file, bool counted)
{
    if (!m_changed || !counted || !m_changed->unchanged(file.localPath, file.remoteName))
        return false;
    addStatus(QLatin1String("Unchanged: ") + file.statusName);
    m_tally.confirmed();
    return true;
}

bool UploadJob::send(const UploadPlan::File &file, bool counted, const QString &storeAs)
{
    if (skipUnchanged(file, counted))
        return true;
    addStatus(QLatin1String("Executing FTP Transfer of ") + file.statusName);
    return account(file, counted,
                   FtpStoreFile(file.localPath, storeAs.isEmpty() ? file.remoteName : storeAs));
}

bool UploadJob::account(const UploadPlan::File &file, bool counted,
                        const std::optional<QString> &failure)
{
    if (!counted)
        return !failure;
    if (!failure) {
        m_tally.confirmed();
        return true;
    }
    m_tally.failed(file.statusName);
    addStatus(StatusTranscript::notUploadedLine(file.statusName, *failure));
    return false;
}

bool UploadJob::sendSite(const QList<UploadPlan::File> &files)
{
    QString folder; // the sub-folder of the target the component is in
    const auto enter = [this](const QString &wanted, const QString &current) {
        if (!current.isEmpty() && !m_session.call(QStringLiteral("CDUP")))
            m_session.waitIdle();
        for (const char *verb : {"MKD", "CWD"})
            if (!wanted.isEmpty() && !m_session.call(QLatin1String(verb), {wanted}))
                m_session.waitIdle();
    };
    for (const UploadPlan::File &file : files) {
        if (!fatalCheck(FatalLater))
            return false;
        const qsizetype slash = file.remoteName.indexOf(QLatin1Char('/'));
        const QString wanted = slash < 0 ? QString() : file.remoteName.left(slash);
        if (wanted != folder) {
            enter(wanted, folder);
            folder = wanted;
        }
        send(file, true, file.remoteName.mid(slash + 1));
    }
    enter(QString(), folder);
    return fatalCheck(FatalLater);
}

bool UploadJob::sendParallel(const UploadPlan &plan, const QList<bool> &pageCounted,
                             int connections)
{
    QList<ParallelStores::Item> items;
    for (qsizetype i = 0; i < plan.pages.size(); ++i)
        items.append({plan.pages[i], pageCounted[i]});
    for (const UploadPlan::File &extra : plan.extras)
        items.append({extra});
    for (qsizetype i = 0; i < plan.pictures.size(); ++i)
        items.append({plan.pictures[i], true, int(i)});
    ParallelStores stores(m_ravel, connections);
    connect(&stores, &ParallelStores::line, this, &UploadJob::addStatus);
    connect(&stores, &ParallelStores::started, this, [this](const ParallelStores::Item &item) {
        addStatus(QLatin1String("Executing FTP Transfer of ") + item.file.statusName);
        if (item.picture >= 0)
            emit pictureStarted(
                QStringLiteral("Uploading %1 of %2").arg(item.picture + 1).arg(m_picturesTotal),
                item.file.localPath);
    });
    connect(&stores, &ParallelStores::stored, this,
            [this](const ParallelStores::Item &item, const std::optional<QString> &failure) {
                ++m_filesDone;
                emit progress(m_filesDone, m_filesTotal, 0, 0);
                if (account(item.file, item.counted, failure) && item.picture >= 0)
                    ++m_picturesSent;
            });
    m_parallel = &stores;
    // The others enter the folder this connection is in, as the server names it: the path as
    // typed may be one a fresh login cannot enter (a server that does not chroot).
    const QString entered = m_ravel.PWD();
    const ParallelStores::Result result =
        stores.run(items, entered.isEmpty() ? plan.targetPath : entered,
                   [this](const ParallelStores::Item &item) {
                       return skipUnchanged(item.file, item.counted);
                   });
    m_parallel = nullptr;
    if (result == ParallelStores::Result::Fatal)
        m_flags.fatalError = true;
    return fatalCheck(FatalLater);
}

bool UploadJob::store(const UploadPlan::File &file, bool counted, const char *fatalMessage)
{
    if (!fatalCheck(fatalMessage))
        return false;
    send(file, counted);
    return true;
}

void UploadJob::complete(const UploadPlan &plan, const WorkingSet &set)
{
    emit busyPointer(false);
    m_session.call(QStringLiteral("QUIT"));
    m_session.waitIdle();
    if (!m_tally.complete()) {
        addStatus(m_tally.statusLine());
        m_dialogs.message(m_tally.message(), DoneTitle, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::Ok);
        return;
    }
    addStatus(QStringLiteral("FTP Upload Complete."));
    m_dialogs.message(QLatin1String("FTP Upload Complete.") + AppText::LineBreak +
                          QLatin1String("Web Page: ") + plan.targetPath + set.output.baseName +
                          QLatin1String(".html") + AppText::LineBreak +
                          QLatin1String("Created at: ") + m_fields.site().url,
                      DoneTitle, Dialogs::Icon::Information, Dialogs::Buttons::Ok);
}

void UploadJob::finishChangedOnly(const UploadPlan &plan, bool deleteRemoved)
{
    if (deleteRemoved) {
        QStringList album;
        for (const QList<UploadPlan::File> *files :
             {&plan.pages, &plan.extras, &plan.pictures, &plan.siteFiles})
            for (const UploadPlan::File &file : *files)
                album << file.remoteName;
        for (const QString &name : m_changed->removed(album)) {
            addStatus(QLatin1String("Deleting ") + name);
            if (!m_session.call(QStringLiteral("DELE"), {name}))
                m_session.waitIdle();
        }
    }
    // Written last, so a manifest on the server always describes files that arrived.
    if (const std::optional<QString> manifest = m_changed->writeManifest())
        send({PublishManifest::RemoteName, *manifest, PublishManifest::RemoteName, false}, false);
}

UploadJob::Outcome UploadJob::finish(Outcome outcome)
{
    m_running = false;
    // Only now may another job start: the controls come back once this one has unwound.
    if (outcome != Outcome::Refused)
        setControlsEnabled(true);
    emit finished();
    return outcome;
}

UploadJob::Outcome UploadJob::run(const WorkingSet &set, const std::function<bool()> &autoSpace)
{
    if (m_running)
        return Outcome::Refused;
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
    const UploadPlan plan = UploadPlan::make(set, site.urlPath, site.filePath, autoSpace());
    if (const std::optional<QString> name = plan.climbingName()) {
        m_dialogs.message(QLatin1String("Invalid Web Page Name: ") + *name, JobTitle,
                          Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        return Outcome::Refused;
    }
    m_running = true;
    m_cancelled = false;
    setControlsEnabled(false);
    clearStatus();

    m_fields.setUrlPath(plan.targetPath);
    site.urlPath = plan.targetPath;
    if (m_rememberSite)
        m_fields.showSites(m_passwords ? m_passwords->remember(site)
                                       : FtpSiteMemory(m_store).RememberFtpSite(site));
    m_filesDone = 0;
    m_filesTotal =
        int(plan.pages.size() + plan.extras.size() + plan.pictures.size() + plan.siteFiles.size());
    m_picturesSent = 0;
    m_picturesTotal = int(plan.pictures.size());
    m_tally.clear();
    // A companion page that a single-page layout never wrote is not one the job means to send.
    QList<bool> pageCounted;
    for (const UploadPlan::File &page : plan.pages)
        pageCounted.append(!page.companion || QFileInfo::exists(page.localPath));

    addStatus(QLatin1String("Connecting to: ") + m_fields.site().url);
    const FtpSite current = m_fields.site();
    if (!login(current)) {
        if (m_cancelled)
            return finish(Outcome::Cancelled);
        const QString why = connectFailure(current);
        addStatus(why);
        m_dialogs.message(QLatin1String("FTP Connect Failed!") + AppText::LineBreak + why);
        return finish(Outcome::Failed);
    }
    emit busyPointer(true);

    if (!plan.targetPath.isEmpty()) {
        CreateFtpDir(plan.directoryLevels);
        if (m_cancelled)
            return finish(Outcome::Cancelled);
        if (const std::optional<RavelError> error =
                m_session.call(QStringLiteral("CWD"), {plan.targetPath}))
            report(*error);
        // The first transfer needs the component free again, so the final CWD is waited for.
        m_session.waitIdle();
        if (m_cancelled)
            return finish(Outcome::Cancelled);
        if (!m_flags.dirReady) {
            m_dialogs.message(QLatin1String("Create Directory ") + plan.targetPath +
                                  QLatin1String(" Failed!") + AppText::LineBreak + m_logHint,
                              JobTitle, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
            CancelUpload();
            return finish(Outcome::Cancelled);
        }
    }

    const PublishOptions options = m_fields.site().options;
    ChangedFiles changed(m_session);
    m_changed = nullptr;
    if (options.changedOnly) {
        changed.fetch(plan.siteFolders());
        m_changed = &changed;
    }
    if (!plan.siteFiles.isEmpty()) {
        if (!sendSite(plan.siteFiles))
            return finish(Outcome::Cancelled);
        return finishUpload(plan, set, options);
    }
    if (current.connections > 1) {
        if (!sendParallel(plan, pageCounted, current.connections))
            return finish(Outcome::Cancelled);
        return finishUpload(plan, set, options);
    }
    for (qsizetype i = 0; i < plan.pages.size(); ++i)
        if (!store(plan.pages[i], pageCounted[i], FatalBeforePages))
            return finish(Outcome::Cancelled);
    if (!fatalCheck(FatalLater))
        return finish(Outcome::Cancelled);
    for (const UploadPlan::File &extra : plan.extras) {
        send(extra, true);
        if (!fatalCheck(FatalLater))
            return finish(Outcome::Cancelled);
    }
    const int count = int(plan.pictures.size());
    for (int i = 0; i < count; ++i) {
        const UploadPlan::File &picture = plan.pictures[i];
        emit pictureStarted(QStringLiteral("Uploading %1 of %2").arg(i + 1).arg(count),
                            picture.localPath);
        if (send(picture, true))
            ++m_picturesSent;
        if (!fatalCheck(FatalLater))
            return finish(Outcome::Cancelled);
    }

    return finishUpload(plan, set, options);
}

UploadJob::Outcome UploadJob::finishUpload(const UploadPlan &plan, const WorkingSet &set,
                                           const PublishOptions &options)
{
    if (m_changed && m_tally.complete())
        finishChangedOnly(plan, options.deleteRemoved);
    m_changed = nullptr;
    complete(plan, set);
    return finish(m_tally.complete() ? Outcome::Completed : Outcome::Incomplete);
}

void UploadJob::CancelUpload()
{
    m_cancelled = true;
    m_session.call(QStringLiteral("LocalClose"));
    if (m_parallel)
        m_parallel->cancel();
    addStatus(QStringLiteral("FTP Upload Cancelled."));
    emit busyPointer(false);
    m_dialogs.message(QStringLiteral("FTP Upload Cancelled."), DoneTitle,
                      Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    // A running job gives the controls back once it has unwound (finish).
    if (!m_running)
        setControlsEnabled(true);
    m_session.wake();
}
