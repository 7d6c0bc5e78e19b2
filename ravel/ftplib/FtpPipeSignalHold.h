#pragma once

#include <csignal>

// sendfile() knows no MSG_NOSIGNAL: a data connection the server or an abort has shut would
// raise SIGPIPE, which ends the process. While one of these lives, the signal is held on this
// thread, and one raised meanwhile is taken before the mask is restored.
class FtpPipeSignalHold
{
public:
    FtpPipeSignalHold();
    ~FtpPipeSignalHold();
    FtpPipeSignalHold(const FtpPipeSignalHold &) = delete;
    FtpPipeSignalHold &operator=(const FtpPipeSignalHold &) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_before;
};
