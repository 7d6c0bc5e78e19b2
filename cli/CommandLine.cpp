#include "cli/CommandLine.h"

#include <cstdio>

CommandLine::CommandLine(const QStringList &arguments, const QStringList &valueOptions,
                         const QStringList &flagOptions)
{
    for (qsizetype i = 0; i < arguments.size() && ok(); ++i) {
        const QString &arg = arguments[i];
        const QString name = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : QString();
        if (flagOptions.contains(name)) {
            m_values.insert(name, QString());
        } else if (valueOptions.contains(name)) {
            if (i + 1 >= arguments.size())
                m_error = QStringLiteral("option %1 needs a value").arg(arg);
            else
                m_values.insert(name, arguments[++i]);
        } else {
            m_error = QStringLiteral("unknown argument %1").arg(arg);
        }
    }
}

std::optional<bool> CommandLine::onOff(const QString &name)
{
    if (!has(name))
        return std::nullopt;
    const QString v = value(name);
    if (v == QLatin1String("on"))
        return true;
    if (v == QLatin1String("off"))
        return false;
    if (ok())
        m_error = QStringLiteral("--%1 takes on or off").arg(name);
    return std::nullopt;
}

void CommandLine::require(const QStringList &names)
{
    for (const QString &name : names)
        if (ok() && !has(name))
            m_error = QStringLiteral("missing --%1").arg(name);
}

void CommandLine::fail(const QString &message)
{
    if (ok())
        m_error = message;
}

int CommandLine::usage(const QString &usageText) const
{
    std::fprintf(stderr, "lumora: %s\nusage: %s\n", qPrintable(m_error), qPrintable(usageText));
    return UsageError;
}
