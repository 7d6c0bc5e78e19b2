#pragma once

#include "core/Dialogs.h"

#include <QStringList>

// Dialogs of the command-line companion: messages go to standard error as
// "[title] text"; file dialogs answer with names queued beforehand, else cancel.
class ConsoleDialogs : public Dialogs
{
public:
    using Dialogs::message;
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    std::optional<QString> openFile(const FileRequest &request) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    // Printed; never trusted here: the command line trusts a certificate by its options.
    Trust trustCertificate(const QString &text, const QString &title) override;

    void queueFileName(const QString &name) { m_fileNames << name; }
    // Answer to questions; OK/Yes unless set.
    void setQuestionAnswer(Answer answer) { m_answer = answer; }

private:
    std::optional<QString> nextFileName();

    QStringList m_fileNames;
    Answer m_answer = Answer::Yes;
};
