#include "ravel/ftplib/FtpInterrupt.h"

#include <algorithm>
#include <sys/socket.h>

FtpInterrupt::Watch::Watch(FtpInterrupt &interrupt, qintptr fd, bool control)
    : m_interrupt(interrupt), m_fd(fd)
{
    std::lock_guard lock(interrupt.m_mutex);
    const Watched w{fd, control};
    interrupt.m_watched.push_back(w);
    // An interrupt raised before the socket existed must still wake its first wait.
    interrupt.shutDownLocked(w);
}

FtpInterrupt::Watch::~Watch()
{
    std::lock_guard lock(m_interrupt.m_mutex);
    std::erase_if(m_interrupt.m_watched, [this](const Watched &w) { return w.fd == m_fd; });
}

FtpInterrupt::Reason FtpInterrupt::reason() const
{
    std::lock_guard lock(m_mutex);
    return m_reason;
}

void FtpInterrupt::clear()
{
    std::lock_guard lock(m_mutex);
    m_reason = Reason::None;
}

void FtpInterrupt::raise(Reason reason)
{
    std::lock_guard lock(m_mutex);
    m_reason = std::max(m_reason, reason);
    for (const Watched &w : m_watched)
        shutDownLocked(w);
}

void FtpInterrupt::shutDownLocked(const Watched &w)
{
    if (m_reason == Reason::None || (m_reason == Reason::Abort && w.control))
        return;
    if (!w.control) {
        // The data connection ends with a reset: after an orderly shutdown the kernel keeps
        // a closed receive window, and a server blocked in sending (vsftpd) waits for minutes
        // instead of failing and answering ABOR.
        const linger reset{1, 0};
        ::setsockopt(int(w.fd), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    ::shutdown(int(w.fd), SHUT_RDWR);
}
