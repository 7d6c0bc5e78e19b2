#pragma once

#include <QProcess>
#include <QStringList>

// One run of a program built beside the tests (in LUMORA_BIN_DIR), as a person runs it.
struct ProgramRun
{
    int exitCode; // -1 when it crashed or did not end in time
    QString out;
    QString err;

    static ProgramRun of(const QString &program, const QStringList &args, const QString &cwd,
                         int timeoutMs = 60000)
    {
        QProcess p;
        p.setWorkingDirectory(cwd);
        p.start(qEnvironmentVariable("LUMORA_BIN_DIR") + QLatin1Char('/') + program, args);
        const bool ended = p.waitForFinished(timeoutMs);
        return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
};
