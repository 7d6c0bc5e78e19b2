#pragma once

#include "upload/FtpSite.h"
#include "upload/StatusTranscript.h"
#include "upload/UploadFlags.h"
#include "upload/UploadPlan.h"

#include <QObject>
#include <QVariantList>
#include <functional>
#include <optional>

class CRavelCtrl;
class Dialogs;
class SettingsStore;
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

private:
    void onHostResponse(int code, const QString &command, const QString &response);
    void onLogin(int resultCode);
    void onFtpError(int errorCode, const QString &errorText);
    void onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, const QString &cmd, bool complete);

    void addStatus(const QString &line, bool progressLine = false);
    void setControlsEnabled(bool enabled);
    // Runs the event loop until done() holds; woken by the component's events.
    void waitUntil(const std::function<bool()> &done);
    void waitIdle();
    bool stillExecuting();
    std::optional<RavelError> call(const QString &method, const QVariantList &args = {});
    void put(const QString &property, const QVariant &value);
    QVariant get(const QString &property);
    // Reports a raised error the way the job reports its own failures, then goes on.
    void report(const RavelError &error);

    bool login(const FtpSite &site);
    void CreateFtpDir(const QStringList &levels);
    // False when the job must end (fatal reply or cancel).
    bool fatalCheck(const char *message);
    // True when the file arrived (its transfer reported completion).
    bool FtpStoreFile(const QString &localPath, const QString &remoteName);
    bool store(const UploadPlan::File &file, const char *fatalMessage);
    Outcome finish(Outcome outcome);

    CRavelCtrl &m_ravel;
    UploadFields &m_fields;
    Dialogs &m_dialogs;
    SettingsStore &m_store;
    StatusTranscript m_status;
    UploadFlags m_flags;
    bool m_running = false;
    bool m_cancelled = false;
    int m_filesDone = 0;
    int m_filesTotal = 0;
    int m_picturesSent = 0;
    int m_picturesTotal = 0;
    bool m_transferCompleted = false;
};
