#pragma once

#include <QByteArray>
#include <mutex>

// The session transcript: one timestamped line per command sent, reply received and event
// worth knowing, written to a descriptor that the caller owns. Used from the calling thread
// and the transfer thread alike.
class FtpTranscript
{
public:
    enum class Kind
    {
        Sent,
        Received,
        Note
    };

    explicit FtpTranscript(unsigned long task) : m_task(task) {}
    void setDescriptor(int fd);
    void write(Kind kind, const QByteArray &text);

private:
    std::mutex m_mutex;
    int m_fd = -1;
    const unsigned long m_task;
};
