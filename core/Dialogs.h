#pragma once

#include <QColor>
#include <QString>
#include <optional>

// Every message box and common dialog of the program goes through this interface, so
// modal flows can be scripted in tests and printed by the command-line companion.
// A cancelled dialog is an empty optional, never an empty string.
class Dialogs
{
public:
    enum class Icon
    {
        None,
        Critical,
        Question,
        Exclamation,
        Information
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };

    enum class Trust
    {
        Always,
        ThisTime,
        Cancel
    };

    struct FileRequest
    {
        QString title;
        // Filter in "Text (*.ext)|*.ext|..." pairs, as the program's commands state them.
        QString filter;
        QString defaultExtension;
        QString fileName;
        QString initialFolder;
        bool overwritePrompt = false;
    };

    struct FontChoice
    {
        QString name;
        double size = 0;
        bool underline = false;
        bool bold = false;
        bool italic = false;
        QColor color;
    };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString &text, const QString &title, Icon icon,
                           Buttons buttons) = 0;
    virtual std::optional<QString> openFile(const FileRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest &request) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial) = 0;
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;
    // A server certificate that did not verify, described in `text`: trust it for its host
    // from now on, for this connection only, or not at all.
    virtual Trust trustCertificate(const QString &text, const QString &title) = 0;

    // The common case: OK button, the application's title.
    Answer message(const QString &text, Icon icon = Icon::None);
};
