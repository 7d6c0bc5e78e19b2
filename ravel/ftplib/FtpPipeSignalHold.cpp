#include "ravel/ftplib/FtpPipeSignalHold.h"

#include <pthread.h>

FtpPipeSignalHold::FtpPipeSignalHold()
{
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
}

FtpPipeSignalHold::~FtpPipeSignalHold()
{
    // Held already by the caller: what is pending stays for it.
    if (sigismember(&m_before, SIGPIPE))
        return;
    const timespec none{};
    while (sigtimedwait(&m_pipe, nullptr, &none) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}
