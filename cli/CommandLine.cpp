#include "cli/CommandLine.h"

#include <cstdio>

namespace {
const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");

QString programName(const QString &program)
{
    return program.section(QLatin1Char(' '), 0, 0);
}
} // namespace

CommandLine::CommandLine(const Syntax &syntax, const QStringList &arguments) : m_syntax(syntax)
{
    m_parser.setApplicationDescription(syntax.summary);
    m_parser.addOption({{QStringLiteral("h"), Help}, QStringLiteral("Show this help and exit.")});
    m_parser.addOption({Version, QStringLiteral("Show the version and exit.")});
    for (const Option &option : syntax.options)
        m_parser.addOption({option.name, option.meaning, option.value});
    for (const Argument &argument : syntax.arguments)
        m_parser.addPositionalArgument(argument.syntax, argument.meaning);

    // The parser skips the first word as the program's own name.
    if (!m_parser.parse(QStringList{syntax.program} + arguments))
        fail(m_parser.errorText());
    if (const QStringList words = this->arguments(); words.size() > syntax.arguments.size())
        fail(QStringLiteral("unknown argument %1").arg(words[syntax.arguments.size()]));
    for (const Option &option : syntax.options)
        if (option.presence == Required && !has(option.name))
            fail(QStringLiteral("missing --%1").arg(option.name));
}

bool CommandLine::answered() const
{
    if (has(Help)) {
        // Qt's first line names the program by its path; ours names the command.
        const QString text = QStringLiteral("usage: %1\n").arg(usageLine()) +
                             m_parser.helpText().section(QLatin1Char('\n'), 1);
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return true;
    }
    if (has(Version)) {
        std::printf("%s %s\n", qPrintable(programName(m_syntax.program)), LUMORA_VERSION);
        return true;
    }
    return false;
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
    fail(QStringLiteral("--%1 takes on or off").arg(name));
    return std::nullopt;
}

std::optional<int> CommandLine::number(const QString &name, int low, int high, const QString &unit)
{
    if (!has(name))
        return std::nullopt;
    bool isNumber = false;
    const int n = value(name).toInt(&isNumber);
    if (isNumber && n >= low && n <= high)
        return n;
    fail(QStringLiteral("--%1 takes %2 to %3%4").arg(name).arg(low).arg(high).arg(unit));
    return std::nullopt;
}

void CommandLine::fail(const QString &message)
{
    if (ok())
        m_error = message;
}

int CommandLine::usage() const
{
    std::fprintf(stderr, "%s: %s\nusage: %s\n'%s --help' tells every option.\n",
                 qPrintable(programName(m_syntax.program)), qPrintable(m_error),
                 qPrintable(usageLine()), qPrintable(m_syntax.program));
    return UsageError;
}

QString CommandLine::usageLine() const
{
    QStringList words{m_syntax.program};
    for (const Option &option : m_syntax.options)
        if (option.presence == Required)
            words << QStringLiteral("--%1 %2").arg(option.name, option.value);
    for (const Argument &argument : m_syntax.arguments)
        words << argument.syntax;
    words << QStringLiteral("[options]");
    return words.join(QLatin1Char(' '));
}
