#include "ravel/ftplib/FtpTranscript.h"

#include <QDateTime>
#include <unistd.h>

void FtpTranscript::setDescriptor(int fd)
{
    std::lock_guard lock(m_mutex);
    m_fd = fd;
}

void FtpTranscript::write(Kind kind, const QByteArray &text)
{
    std::lock_guard lock(m_mutex);
    if (m_fd < 0)
        return;
    static const char *const marks[] = {"> ", "< ", "* "};
    QByteArray line = QDateTime::currentDateTime().toString(u"HH:mm:ss.zzz").toLatin1();
    line += " [" + QByteArray::number(qulonglong(m_task)) + "] " + marks[int(kind)];
    // A multi-line reply keeps one transcript line per reply line.
    line += QByteArray(text).replace("\r\n", "\r\n                    ") + "\r\n";
    qsizetype done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(m_fd, line.constData() + done, size_t(line.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}
