#pragma once

#include "ravel/RavelFtpLibrary.h"
#include "ravel/RavelJobEvent.h"
#include "ravel/RavelWorkerJobs.h"

#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>

class RavelJobSignal;
class RavelState;

// The worker of one component: a thread with its own event loop that owns the FTP library's
// session. Jobs are posted to it as RavelJobEvents and run by RavelWorkerJobs; each signals
// success or error as its group says. It reports FTP failures to the component as events
// (OnFTPError on the host's thread) and never touches the component's object otherwise.
class CRavelThread : public QThread
{
    Q_OBJECT
public:
    // What the library must know from the start, so the component's properties and the
    // library's modes agree before the host writes any of them.
    struct Settings
    {
        bool async = true;
        bool passive = false;
        bool verbose = true;
        int port = 21;
        int timeout = 30;
    };

    CRavelThread(QObject *owner, RavelState &state, RavelJobSignal &success, RavelJobSignal &error,
                 const QString &libraryPath, const Settings &settings);
    ~CRavelThread() override;

    // False when the worker is not (or no longer) taking jobs.
    bool post(std::unique_ptr<RavelJobEvent> job);
    // Why the worker ended without becoming ready.
    QString failure() const;
    // Waits for the worker's end; afterwards everything it wrote may be read.
    void join();
    // The worker has left run(); a readyChanged() for it is on its way or delivered.
    bool hasEnded() const { return m_ended.load(std::memory_order_acquire); }

signals:
    // Emitted on the host's thread when the ready flag has changed.
    void readyChanged();

protected:
    void run() override;
    bool event(QEvent *event) override;

private:
    class JobReceiver;

    void runJob(RavelJobEvent &job);
    // From the worker: readyChanged() follows on the host's thread.
    void postReadyChanged();
    // The worker's last words: ended, readyChanged(), and the order join() relies on.
    void leave();

    QObject *const m_owner;
    RavelState &m_state;
    RavelJobSignal &m_success;
    RavelJobSignal &m_error;
    const QString m_libraryPath;
    const Settings m_settings;
    RavelFtpLibrary m_library;
    RavelWorkerJobs m_jobs;
    // Guards the receiver's life against a post() racing the worker's end, and hands each
    // job's fields over to the worker in a way the thread checkers can see.
    std::mutex m_postMutex;
    QObject *m_receiver = nullptr;
    QString m_failure;
    // QThread::wait() orders the worker's end before it through a futex that ThreadSanitizer
    // cannot see; this pair states the same order in a way it can.
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_exited{false};
    std::atomic<quint64> m_readyPosts{0};
};
