#pragma once

#include "core/Dialogs.h"
#include "core/ErrorInfo.h"
#include "project/WorkingSet.h"

#include <QByteArray>
#include <optional>

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

    explicit ProjectFile(Dialogs &dialogs) : m_dialogs(dialogs) {}

    static void NewProject(WorkingSet &set, const QString &appFolder);
    Outcome LoadProject(WorkingSet &set, const QString &appFolder);
    Outcome SaveProject(WorkingSet &set, const QString &appFolder);

    static QByteArray serialize(const WorkingSet &set);
    // Replaces the file whole, or leaves the old one untouched on failure.
    static std::optional<ErrorInfo> writeFile(const QString &name, const WorkingSet &set);
    // Applies the file's values to the set line by line, as far as they read.
    static ReadResult apply(const QByteArray &bytes, WorkingSet &set);
    // UTF-8, or Windows-1252 for files that are not valid UTF-8.
    static QString decode(const QByteArray &bytes);

private:
    Dialogs::FileRequest fileRequest(const WorkingSet &set, const QString &appFolder) const;
    void showError(const QString &headline, const ErrorInfo &error);

    Dialogs &m_dialogs;
};
