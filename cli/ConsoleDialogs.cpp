#include "cli/ConsoleDialogs.h"

#include <cstdio>

Dialogs::Answer ConsoleDialogs::message(const QString &text, const QString &title, Icon,
                                        Buttons buttons)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QByteArray line = (QLatin1Char('[') + title + QLatin1String("] ") + shown).toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_answer == Answer::Yes ? Answer::Ok : Answer::Cancel;
    default:
        return m_answer;
    }
}

std::optional<QString> ConsoleDialogs::nextFileName()
{
    if (m_fileNames.isEmpty())
        return std::nullopt;
    return m_fileNames.takeFirst();
}

std::optional<QString> ConsoleDialogs::openFile(const FileRequest &)
{
    return nextFileName();
}

std::optional<QString> ConsoleDialogs::saveFile(const FileRequest &)
{
    return nextFileName();
}

std::optional<QColor> ConsoleDialogs::chooseColor(const QColor &)
{
    return std::nullopt;
}

std::optional<Dialogs::FontChoice> ConsoleDialogs::chooseFont(const FontChoice &)
{
    return std::nullopt;
}

Dialogs::Trust ConsoleDialogs::trustCertificate(const QString &text, const QString &title)
{
    message(text, title, Icon::Exclamation, Buttons::Ok);
    return Trust::Cancel;
}

std::optional<QString> ConsoleDialogs::inputBox(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}
