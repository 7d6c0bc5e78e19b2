#pragma once

#include "ravel/ftplib/FtpReply.h"

#include <QQueue>
#include <optional>

// Turns the bytes of a control connection into replies: bytes to lines (CR LF or a bare LF),
// lines to multi-line replies ("123-" ... "123 "), and checks every code. A server that breaks
// the rules (a line or reply beyond the bounds, a malformed code) puts the parser into a
// failed state that only reset() leaves: the stream cannot be trusted any more.
class FtpReplyParser
{
public:
    static constexpr qsizetype MaxLine = 8 * 1024;
    static constexpr qsizetype MaxReply = 64 * 1024;

    void feed(const char *data, qsizetype size);
    void feed(const QByteArray &data) { feed(data.constData(), data.size()); }
    std::optional<FtpReply> takeReply();
    bool failed() const { return !m_error.isEmpty(); }
    QByteArray error() const { return m_error; }
    void reset();

private:
    void addLine(QByteArray line);
    void fail(const QByteArray &why);

    QByteArray m_partial;
    FtpReply m_current;
    qsizetype m_currentSize = 0;
    QQueue<FtpReply> m_ready;
    QByteArray m_error;
};
