#pragma once

#include "upload/ChangedFiles.h"
#include "upload/FtpSite.h"
#include "upload/RavelSession.h"
#include "upload/StatusTranscript.h"
#include "upload/UploadFields.h"
#include "upload/UploadFlags.h"
#include "upload/UploadPlan.h"
#include "upload/UploadTally.h"

#include <QObject>
#include <QVariantList>
#include <functional>
#include <optional>

class CRavelCtrl;
class Dialogs;
class ParallelStores;
class SettingsStore;
class SitePasswords;
class UploadFields;
struct RavelError;

// Puts the album on the FTP server with the window's Ravel component: log in, create and
// enter the target folder, store pages, backgrounds, sound and pictures, report. Waits run
// the event loop, so the component's events arrive and Cancel works. Also turns the
// component's events into status lines and the job's flags, whether a job runs or not.
class UploadJob : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Completed,
        // Ran to its end, but the server did not confirm every file.
        Incomplete,
        Failed,
        Cancelled,
        Refused
    };

    UploadJob(CRavelCtrl &ravel, UploadFields &fields, Dialogs &dialogs, SettingsStore &store,
              QObject *parent = nullptr);

    // The click on "Begin FTP Upload". `set` and `autoSpace` are read when the job needs them.
    Outcome run(const WorkingSet &set, const std::function<bool()> &autoSpace);
    void CancelUpload();
    bool running() const { return m_running; }
    // The window remembers each site it uploads to; the command line only when asked.
    void setRememberSite(bool remember) { m_rememberSite = remember; }
    // Where a remembered site's password goes; without it, the settings file, unannounced.
    void setSitePasswords(SitePasswords &passwords);
    // Where a failure message sends the user for the session's transcript.
    void setLogHint(const QString &hint) { m_logHint = hint; }
    // A certificate to accept for this job beside those trusted per host (lowercase hex).
    void setTrustedFingerprint(const QString &fingerprint) { m_extraFingerprint = fingerprint; }
    // Said after an untrusted certificate was not accepted; %1 is its fingerprint.
    void setCertificateHint(const QString &hint) { m_certificateHint = hint; }
    const UploadTally &tally() const { return m_tally; }

    StatusTranscript &status() { return m_status; }
    // New project: the status display starts empty.
    void clearStatus();
    const UploadFlags &flags() const { return m_flags; }

    // The property values the window's instance starts with; those that reach the FTP
    // library only when written are written again so they take effect.
    static void ConfigureComponent(CRavelCtrl &ravel);

signals:
    void statusChanged(const QString &text);
    // Each line as it is put in front of the status text.
    void statusLine(const QString &line);
    // SetUploadControlsEnabled: workflow controls on or off (Cancel the opposite).
    void controlsEnabled(bool enabled);
    // A picture starts: the counter caption and the picture's path.
    void pictureStarted(const QString &caption, const QString &path);
    void busyPointer(bool busy);
    // Files done of files to send, and the current file's bytes.
    void progress(int filesDone, int filesTotal, qint64 bytes, qint64 fileSize);
    // The job has unwound: nothing of it is left on the stack.
    void finished();

private:
    void onHostResponse(int code, const QString &command, const QString &response);
    void onLogin(int resultCode);
    void onFtpError(int errorCode, const QString &errorText);
    void onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, const QString &cmd, bool complete);

    void addStatus(const QString &line, bool progressLine = false);
    void setControlsEnabled(bool enabled);
    // Reports a raised error the way the job reports its own failures, then goes on.
    void report(const RavelError &error);

    bool login(const FtpSite &site);
    bool connectOnce(const FtpSite &site);
    // The person's verdict on the certificate the last login refused: the fingerprint to
    // accept on the next try, or nothing.
    std::optional<QString> judgeCertificate(const QString &host);
    QString connectFailure(const FtpSite &site);
    void CreateFtpDir(const QStringList &levels);
    // False when the job must end (fatal reply or cancel).
    bool fatalCheck(const char *message);
    // Nothing when the server confirmed the file, else why it did not arrive.
    std::optional<QString> FtpStoreFile(const QString &localPath, const QString &remoteName);
    // With "only changed files": deletes what the album no longer has, then leaves the
    // manifest of what it now is.
    void finishChangedOnly(const UploadPlan &plan, bool deleteRemoved);
    // With "only changed files": says so and counts the file when the server has it already.
    bool skipUnchanged(const UploadPlan::File &file, bool counted);
    // Counts a file's end when the job means to send it; false when it did not arrive.
    bool account(const UploadPlan::File &file, bool counted, const std::optional<QString> &failure);
    // Pages, extras and pictures over `connections` at once (ParallelStores); false when
    // the job must end.
    bool sendParallel(const UploadPlan &plan, const QList<bool> &pageCounted, int connections);
    // Sends one file and counts it when the job means to send it.
    // `storeAs`: the name in the component's current folder, when not the remote name.
    bool send(const UploadPlan::File &file, bool counted, const QString &storeAs = {});
    // A gallery's files, each sub-folder made and entered before its files; false when the
    // job must end.
    bool sendSite(const QList<UploadPlan::File> &files);
    bool store(const UploadPlan::File &file, bool counted, const char *fatalMessage);
    void complete(const UploadPlan &plan, const WorkingSet &set);
    // After the files: what changed-only leaves, then the end the tally makes of the job.
    Outcome finishUpload(const UploadPlan &plan, const WorkingSet &set,
                         const PublishOptions &options);
    Outcome finish(Outcome outcome);

    CRavelCtrl &m_ravel;
    RavelSession m_session;
    UploadFields &m_fields;
    Dialogs &m_dialogs;
    SettingsStore &m_store;
    StatusTranscript m_status;
    UploadFlags m_flags;
    UploadTally m_tally;
    ChangedFiles *m_changed = nullptr;
    ParallelStores *m_parallel = nullptr;
    SitePasswords *m_passwords = nullptr;
    QString m_logHint = QStringLiteral("See the FTP Log for details.");
    QString m_extraFingerprint;
    QString m_certificateHint;
    bool m_rememberSite = true;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_tlsOptional = false;
    // The current transfer: the final reply to its STOR and why it failed, as they arrive.
    bool m_storing = false;
    int m_storReply = 0;
    QString m_storFailure;
    // The server's refusal of USER or PASS while the login is awaited.
    QString m_loginRefusal;
    int m_loginResult = 0;
    int m_filesDone = 0;
    int m_filesTotal = 0;
    int m_picturesSent = 0;
    int m_picturesTotal = 0;
    bool m_transferCompleted = false;
};
