#pragma once

#include "ravel/RavelFtpLibrary.h"

#include <QFile>
#include <QString>
#include <memory>

class QObject;
class RavelJobEvent;
class RavelNotifyEvent;
class RavelState;

// What the worker does for each job, on the worker's thread, with the library's session the
// worker has started. FTP failures go to the component as notifications; a local file that
// fails throws a RavelFileError for the worker to report.
class RavelWorkerJobs
{
public:
    RavelWorkerJobs(QObject *owner, RavelState &state, RavelFtpLibrary &library);

    bool async() const { return m_async; }
    void setAsync(bool async) { m_async = async; }
    void execute(RavelJobEvent &job);
    // Reports a failed call as OnFTPError; a link that is gone is dropped first.
    void report(int code);
    void fireError(qint32 number, const QString &text);
    void clearBusy();
    // Closes the log and ends the session, leaving the server politely where it can.
    void endSession();

private:
    // The lost-connection handling when NOOP finds the link gone; silent otherwise.
    void checkLoss(int code, bool afterTransfer);
    // `failure`: what failed on our side beyond the code, or empty.
    void fireReport(int code, const QString &reply, const QString &failure);
    // Queues a notification for the component, after everything the library queued before.
    void notifyOwner(RavelNotifyEvent *event);
    void dropConnection();
    void login(const RavelJobEvent &job);
    void readAddresses();
    void list(const RavelJobEvent &job);
    void receive(const RavelJobEvent &job);
    void restart(const RavelJobEvent &job);
    void setLog(bool on, const QString &fileName);
    // Progress is an asynchronous transfer's only report; a synchronous one has its wait.
    QObject *progressReceiver() const { return m_async ? m_owner : nullptr; }
    void reportFailure(int code)
    {
        if (code != FTPLIB_OK)
            report(code);
    }

    QObject *const m_owner;
    RavelState &m_state;
    RavelFtpLibrary &m_library;
    bool m_async = false;
    std::unique_ptr<QFile> m_log;
};
