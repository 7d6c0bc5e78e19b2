#pragma once

#include "core/Dialogs.h"

class QWidget;

// The window program's dialogs: Qt's message box and common dialogs, modal over a parent.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    using Dialogs::message;
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    std::optional<QString> openFile(const FileRequest &request) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    Trust trustCertificate(const QString &text, const QString &title) override;

    // "Text (*.a)|*.a|All (*.*)|*.*" to Qt's "Text (*.a);;All (*)".
    static QString toQtFilter(const QString &filter);

private:
    std::optional<QString> runFileDialog(const FileRequest &request, bool save);

    QWidget *m_parent;
};
