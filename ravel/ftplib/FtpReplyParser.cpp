#include "ravel/ftplib/FtpReplyParser.h"

#include <cstring>
#include <utility>

namespace {

// The code of a reply's first line, or 0 when the line has none.
int leadingCode(const QByteArray &line)
{
    if (line.size() < 3 || line[0] < '1' || line[0] > '5')
        return 0;
    for (int i = 1; i < 3; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return 0;
    }
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-')
        return 0;
    return line.left(3).toInt();
}

} // namespace

void FtpReplyParser::feed(const char *data, qsizetype size)
{
    qsizetype start = 0;
    while (!failed() && start < size) {
        const char *lf = static_cast<const char *>(memchr(data + start, '\n', size - start));
        const qsizetype end = lf ? lf - data : size;
        m_partial.append(data + start, end - start);
        if (m_partial.size() > MaxLine) {
            fail("reply line too long");
            return;
        }
        if (!lf)
            return;
        if (m_partial.endsWith('\r'))
            m_partial.chop(1);
        addLine(std::exchange(m_partial, QByteArray()));
        start = end + 1;
    }
}

void FtpReplyParser::addLine(QByteArray line)
{
    m_currentSize += line.size() + 2;
    if (m_currentSize > MaxReply) {
        fail("reply too long");
        return;
    }
    if (m_current.lines.isEmpty()) {
        const int code = leadingCode(line);
        if (code == 0) {
            fail("malformed reply: " + line.left(40));
            return;
        }
        m_current.code = code;
        m_current.lines.append(line);
        if (line.size() > 3 && line[3] == '-')
            return;
    } else {
        const bool last = line.startsWith(QByteArray::number(m_current.code)) &&
                          (line.size() == 3 || line[3] == ' ');
        m_current.lines.append(line);
        if (!last)
            return;
    }
    m_ready.enqueue(std::exchange(m_current, FtpReply()));
    m_currentSize = 0;
}

std::optional<FtpReply> FtpReplyParser::takeReply()
{
    if (m_ready.isEmpty())
        return std::nullopt;
    return m_ready.dequeue();
}

void FtpReplyParser::fail(const QByteArray &why)
{
    m_error = why;
    m_partial.clear();
    m_current = FtpReply();
}

void FtpReplyParser::reset()
{
    m_partial.clear();
    m_current = FtpReply();
    m_currentSize = 0;
    m_ready.clear();
    m_error.clear();
}
