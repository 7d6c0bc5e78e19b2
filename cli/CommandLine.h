#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// "--name value" options of one subcommand; unknown or incomplete options are usage errors.
class CommandLine
{
public:
    static constexpr int UsageError = 2;

    CommandLine(const QStringList &arguments, const QStringList &valueOptions,
                const QStringList &flagOptions);

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    // "on"/"off"; nullopt when absent; an error when malformed.
    std::optional<bool> onOff(const QString &name);
    void require(const QStringList &names);
    // A usage error the command found itself; the first error found stays.
    void fail(const QString &message);
    // Prints the error and the usage text; returns UsageError.
    int usage(const QString &usageText) const;

private:
    QHash<QString, QString> m_values;
    QString m_error;
};
