#include "generator/PageWriter.h"

namespace {
constexpr qsizetype FlushSize = 256 * 1024;
}

PageWriter::PageWriter(const QString &path) : m_file(path)
{
    // Opening a pipe for writing waits for a reader that may never come.
    m_error = ErrorInfo::specialFile(path);
    if (m_error)
        return;
    // Unbuffered: a short write (disk full) must show as a failure, not vanish in a flush.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        m_error = ErrorInfo::fromFile(m_file);
}

PageWriter::~PageWriter()
{
    finish();
}

void PageWriter::line(const QString &text)
{
    if (m_error)
        return;
    m_buffer += text.toUtf8();
    m_buffer += "\r\n";
    if (m_buffer.size() >= FlushSize)
        flush();
}

void PageWriter::flush()
{
    if (m_error || m_buffer.isEmpty())
        return;
    if (!WriteAll(m_file, m_buffer))
        m_error = ErrorInfo::fromFile(m_file);
    m_buffer.clear();
}

std::optional<ErrorInfo> PageWriter::finish()
{
    if (m_file.isOpen()) {
        flush();
        m_file.close();
    }
    return m_error;
}
