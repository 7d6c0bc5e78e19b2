#pragma once

#include "core/Dialogs.h"

#include <QList>
#include <QQueue>

// Dialogs for tests: answers are queued in the order the code under test asks,
// every message and file request is recorded. A dialog asked with nothing queued
// counts as cancelled and is recorded as unexpected.
class ScriptedDialogs : public Dialogs
{
public:
    struct Message
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };
    using Dialogs::message;
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    std::optional<QString> openFile(const FileRequest &request) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    // Recorded among the messages (buttons OkCancel); answered from its own queue.
    Trust trustCertificate(const QString &text, const QString &title) override;

    void answer(Answer a) { m_answers.enqueue(a); }
    void fileName(const QString &name) { m_files.enqueue(name); }
    void cancelFile() { m_files.enqueue(std::nullopt); }
    void color(std::optional<QColor> c) { m_colors.enqueue(c); }
    void font(std::optional<FontChoice> f) { m_fonts.enqueue(f); }
    void text(std::optional<QString> t) { m_texts.enqueue(t); }
    void trust(Trust t) { m_trust.enqueue(t); }

    QList<Message> messages;
    QList<FileRequest> fileRequests;
    int unexpected = 0;
    bool allAnswered() const
    {
        return m_answers.isEmpty() && m_files.isEmpty() && m_colors.isEmpty() &&
               m_fonts.isEmpty() && m_texts.isEmpty() && m_trust.isEmpty();
    }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }

private:
    template <typename T> T next(QQueue<T> &queue, T cancelled);

    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<std::optional<FontChoice>> m_fonts;
    QQueue<std::optional<QString>> m_texts;
    QQueue<Trust> m_trust;
};
