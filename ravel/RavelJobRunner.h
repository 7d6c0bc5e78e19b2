#pragma once

#include "ravel/RavelError.h"
#include "ravel/RavelJobSignal.h"
#include "ravel/RavelMessages.h"

#include <QFile>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

class CRavelCtrl;
class CRavelThread;
class RavelFtpLibrary;
class RavelJobEvent;
class RavelState;

// The component's side of its worker, on the host's thread: starts the worker, hands it
// jobs and waits for their signals in a local event loop, never a spin. What fails before
// a job is posted leaves its error in the component's slot for raised errors.
class RavelJobRunner
{
public:
    enum class Waits
    {
        Always,
        WhenSync,
        Never
    };

    RavelJobRunner(CRavelCtrl &owner, RavelState &state, std::optional<RavelError> &raised,
                   QString libraryPath);
    ~RavelJobRunner();

    void setLibraryPath(const QString &path) { m_libraryPath = path; }
    // Starts the worker with the component's modes; false when it had started already.
    bool startWorker();
    // True once the worker takes jobs; raises when it ended without.
    bool waitUntilReady();
    // waitUntilReady(), and raises when a job is still running.
    bool busyCheck();
    // The component's end: a worker that takes jobs ends its session first.
    void endWorker();

    std::unique_ptr<RavelJobEvent> newJob(RavelMessages::Job job);
    // Posts a job once the worker is ready and, as `waits` says, waits for its signal. False
    // when the worker, the post or the wait failed.
    bool run(std::unique_ptr<RavelJobEvent> job, Waits waits);
    bool runPath(RavelMessages::Job job, const QString &remotePath, Waits waits);
    // A mode switched on or off; LogOnOff names its file.
    bool runSwitch(RavelMessages::Job job, bool on, const QString &logFile = {});
    // A transfer: xFerInProgress while it runs.
    void runTransfer(std::unique_ptr<RavelJobEvent> job);
    // Stops a running asynchronous transfer at once, as an abort or a drop: the worker runs
    // it to its end before it takes the job that follows.
    void interruptTransfer(bool drop);
    // Opens a restart's local file at `position` and gives the job its descriptor; false
    // after raising.
    bool handOffRestartFile(RavelJobEvent &job, const QString &fileName, QIODevice::OpenMode mode,
                            qint64 position);
    // A restart transfer has ended: its local file closes.
    void closeRestartFile() { m_restartFile.reset(); }
    // Asks the worker whether the link is gone; false when no worker takes jobs.
    bool postLossCheck(int code, bool afterTransfer);
    // After the properties were loaded: the worker's copies of them follow.
    void updateWorkerSettings();

    // The library as the host's thread uses it (texts, cancel); null after raising.
    const RavelFtpLibrary *hostLibrary();
    // Breaks a running login's waits, so the drop that follows need not wait behind them.
    void cancelLogin();

private:
    bool workerReady();
    bool waitForJob(quint64 sequence);

    CRavelCtrl &m_owner;
    RavelState &m_state;
    std::optional<RavelError> &m_raised;
    QString m_libraryPath;
    RavelJobSignal m_success;
    RavelJobSignal m_error;
    quint64 m_lastJob = 0;
    std::unique_ptr<CRavelThread> m_worker;
    std::unique_ptr<RavelFtpLibrary> m_hostLibrary;
    // The local file of a running asynchronous restart transfer.
    std::unique_ptr<QFile> m_restartFile;
    // Bounds how long a transfer's notifications are held back from the host: a run of short
    // transfers restarts it before it fires.
    QTimer m_heldFlush;
};
