#include "tests/support/ScriptedDialogs.h"

template <typename T> T ScriptedDialogs::next(QQueue<T> &queue, T cancelled)
{
    if (queue.isEmpty()) {
        ++unexpected;
        return cancelled;
    }
    return queue.dequeue();
}

Dialogs::Answer ScriptedDialogs::message(const QString &text, const QString &title, Icon icon,
                                         Buttons buttons)
{
    messages.append({text, title, icon, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return next(m_answers, Answer::Cancel);
}

std::optional<QString> ScriptedDialogs::openFile(const FileRequest &request)
{
    fileRequests.append(request);
    return next(m_files, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::saveFile(const FileRequest &request)
{
    fileRequests.append(request);
    return next(m_files, std::optional<QString>());
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor &)
{
    return next(m_colors, std::optional<QColor>());
}

std::optional<Dialogs::FontChoice> ScriptedDialogs::chooseFont(const FontChoice &)
{
    return next(m_fonts, std::optional<FontChoice>());
}

Dialogs::Trust ScriptedDialogs::trustCertificate(const QString &text, const QString &title)
{
    messages.append({text, title, Icon::Exclamation, Buttons::OkCancel});
    return next(m_trust, Trust::Cancel);
}

std::optional<QString> ScriptedDialogs::inputBox(const QString &, const QString &, const QString &)
{
    return next(m_texts, std::optional<QString>());
}
