#include "ravel/ftplib/FtpTransferThread.h"

FtpTransferThread::FtpTransferThread()
{
    start();
}

FtpTransferThread::~FtpTransferThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    wait();
    // The thread let go of the mutex last; QThread::wait() orders that unseen by TSan.
    const std::lock_guard lock(m_mutex);
}

void FtpTransferThread::submit(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_job = std::move(job);
        m_busy = true;
    }
    m_changed.notify_all();
}

void FtpTransferThread::waitForJob()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

bool FtpTransferThread::busy()
{
    std::lock_guard lock(m_mutex);
    return m_busy;
}

void FtpTransferThread::run()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_job || m_quit; });
            if (!m_job)
                return;
            job = std::move(m_job);
            m_job = nullptr;
        }
        job();
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_changed.notify_all();
    }
}
