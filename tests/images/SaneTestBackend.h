#pragma once

#include <QTemporaryDir>
#include <QTextStream>

// A SANE configuration folder for tests: SANE_CONFIG_DIR points at it, dll.conf names the
// backends (SANE's "test" backend, or none), test.conf sets the virtual scanner's options.
class SaneTestBackend
{
public:
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
};
