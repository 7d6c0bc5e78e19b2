#pragma once

#include <QtGlobal>
#include <mutex>
#include <vector>

// Wakes a transfer that blocks in a socket wait on another thread: abort() shuts the data
// sockets down, drop() the control socket too, so the blocked wait returns at once and the
// transfer sees why. Sockets are watched only while they are open, so a closed descriptor
// number that the system hands out again is never touched.
class FtpInterrupt
{
public:
    enum class Reason
    {
        None,
        Abort,
        Drop
    };

    // Watches one socket descriptor for the lifetime of the guard.
    class Watch
    {
    public:
        Watch(FtpInterrupt &interrupt, qintptr fd, bool control);
        ~Watch();
        Watch(const Watch &) = delete;
        Watch &operator=(const Watch &) = delete;

    private:
        FtpInterrupt &m_interrupt;
        qintptr m_fd;
    };

    void abort() { raise(Reason::Abort); }
    void drop() { raise(Reason::Drop); }
    Reason reason() const;
    bool raised() const { return reason() != Reason::None; }
    void clear();

private:
    struct Watched
    {
        qintptr fd;
        bool control;
    };
    void raise(Reason reason);
    void shutDownLocked(const Watched &w);

    mutable std::mutex m_mutex;
    std::vector<Watched> m_watched;
    Reason m_reason = Reason::None;
};
