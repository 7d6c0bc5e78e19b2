#pragma once

#include <QLibrary>
#include <QTemporaryDir>
#include <QTextStream>

// A SANE configuration folder for tests: SANE_CONFIG_DIR points at it, dll.conf names the
// backends (SANE's "test" backend, or none), test.conf sets the virtual scanner's options.
class SaneTestBackend
{
public:
    // The test backend leaks a little on every start; kept loaded, its leaks carry its name
    // and the sanitizer's suppression file can tell them from ours.
    SaneTestBackend() : m_pinned(QStringLiteral(SANE_TEST_BACKEND)) { m_pinned.load(); }

    // backends: "test" or empty for no device at all; options: lines of test.conf.
    bool configure(const QString &backends, const QStringList &options = {})
    {
        if (!m_dir.isValid() || !write("dll.conf", backends) ||
            !write("test.conf", (QStringList{"number_of_devices 2", "mode Color", "depth 8",
                                             "test-picture \"Color pattern\"", "resolution 50.0"} +
                                 options)
                                    .join('\n')))
            return false;
        return qputenv("SANE_CONFIG_DIR", m_dir.path().toLocal8Bit());
    }

private:
    bool write(const QString &name, const QString &text)
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        QTextStream(&f) << text << '\n';
        return f.error() == QFile::NoError;
    }

    QTemporaryDir m_dir;
    QLibrary m_pinned;
};
