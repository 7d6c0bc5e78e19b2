#pragma once

#include <QThread>
#include <condition_variable>
#include <functional>
#include <mutex>

// The thread that runs a session's asynchronous transfers: started with the first one and
// kept, so a transfer costs no thread start. One job at a time.
class FtpTransferThread : public QThread
{
public:
    FtpTransferThread();
    ~FtpTransferThread() override;

    // Hands a job over; the previous one must have finished.
    void submit(std::function<void()> job);
    // Returns when no job runs any more.
    void waitForJob();
    bool busy();

protected:
    void run() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_busy = false;
    bool m_quit = false;
};
