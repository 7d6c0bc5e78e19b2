#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The options of one command, read by QCommandLineParser. --help and --version are answered;
// an unknown or incomplete option, a missing required one or a mistake the command finds
// itself is a usage error, and the first one found is the one told.
class CommandLine
{
public:
    static constexpr int UsageError = 2;

    enum Presence
    {
        Optional,
        Required
    };
    struct Option
    {
        QString name;
        QString value; // the value as help and usage name it; empty for a flag
        QString meaning;
        Presence presence = Optional;
    };
    // A word after the options; each may be left out unless the command says otherwise.
    struct Argument
    {
        QString syntax;
        QString meaning;
    };
    struct Syntax
    {
        QString program; // "lumora upload": the first word prefixes the error messages
        QString summary; // what the command does, the head of its help
        QList<Option> options;
        QList<Argument> arguments = {};
    };

    CommandLine(const Syntax &syntax, const QStringList &arguments);

    // Prints the help or the version when they were asked for; true then: the command is done.
    bool answered() const;
    bool ok() const { return m_error.isEmpty(); }
    bool has(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList arguments() const { return m_parser.positionalArguments(); }
    // "on"/"off"; nullopt when absent; an error when malformed.
    std::optional<bool> onOff(const QString &name);
    // A whole number from low to high; nullopt when absent; an error when malformed.
    std::optional<int> number(const QString &name, int low, int high, const QString &unit = {});
    // A usage error the command found itself; the first error found stays.
    void fail(const QString &message);
    // Prints the error, the usage line and where the help is; returns UsageError.
    int usage() const;

private:
    QString usageLine() const;

    Syntax m_syntax;
    QCommandLineParser m_parser;
    QString m_error;
};
