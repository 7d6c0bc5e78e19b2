#pragma once

#include "core/Dialogs.h"
#include "core/ErrorInfo.h"
#include "project/WorkingSet.h"

#include <QByteArray>
#include <optional>
#include <variant>

// The ".lwp" project file: 31 header lines, then the image list between
// "ImageListStart" and "ImageListEnd"; one raw value per line, CR LF after each.
class ProjectFile
{
public:
    enum class Outcome
    {
        Completed,
        Cancelled,
        Failed,
        InvalidOrEmpty
    };

    // What reading a file's text got to.
    struct ReadResult
    {
        std::optional<ErrorInfo> error;
        bool listStarted = false; // line 32 was "ImageListStart"
    };

    // Bounds on what a load reads, so a stray huge file cannot exhaust the memory.
    static constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;
    static constexpr qsizetype MaxLineBytes = 1024 * 1024;

    explicit ProjectFile(Dialogs &dialogs) : m_dialogs(dialogs) {}

    static void NewProject(WorkingSet &set, const QString &appFolder);
    Outcome LoadProject(WorkingSet &set, const QString &appFolder);
    Outcome SaveProject(WorkingSet &set, const QString &appFolder);

    // The values in file order, one a line.
    static QStringList values(const WorkingSet &set);
    static QByteArray serialize(const WorkingSet &set);
    // Replaces the file whole, or leaves the old one untouched on failure; a value with a
    // line break is refused before anything is written.
    static std::optional<ErrorInfo> writeFile(const QString &name, const WorkingSet &set);
    // The file's bytes within the bounds; a pipe or device is refused, not waited on.
    static std::variant<QByteArray, ErrorInfo> readFile(const QString &name);
    // Applies the file's values to the set line by line, as far as they read; the file
    // name goes into the message of a line over the bound.
    static ReadResult apply(const QByteArray &bytes, WorkingSet &set,
                            const QString &fileName = QString());
    // One line: UTF-8, or Windows-1252 when it is not valid UTF-8.
    static QString decode(const QByteArray &line);

private:
    Dialogs::FileRequest fileRequest(const WorkingSet &set, const QString &appFolder) const;
    void showError(const QString &headline, const ErrorInfo &error);

    Dialogs &m_dialogs;
};
