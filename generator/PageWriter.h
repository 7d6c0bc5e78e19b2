#pragma once

#include "core/ErrorInfo.h"

#include <QByteArray>
#include <QFile>
#include <optional>

// Writes one text file line by line, each line ended by CR LF, in UTF-8.
// The first failure is kept; later lines are dropped, so a page stops where it failed.
class PageWriter
{
public:
    explicit PageWriter(const QString &path);
    ~PageWriter();
    PageWriter(const PageWriter &) = delete;
    PageWriter &operator=(const PageWriter &) = delete;

    void line(const QString &text);
    // Flushes and closes; returns the first failure, if any.
    std::optional<ErrorInfo> finish();

private:
    void flush();

    QFile m_file;
    QByteArray m_buffer;
    std::optional<ErrorInfo> m_error;
};
