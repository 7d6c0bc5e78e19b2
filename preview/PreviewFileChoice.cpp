#include "preview/PreviewFileChoice.h"

#include "core/AppText.h"

const QString PreviewFileChoice::Filter =
    QStringLiteral("HTML (*.html)|*.html|HTM (*.htm)|*.htm|All (*.*)|*.*");
const QString PreviewFileChoice::NoteTitle = QStringLiteral("Pre-View Web page");
const QString PreviewFileChoice::NoteText =
    QStringList{
        QStringLiteral("Important Note(1): When Pre-viewing a web page the Image"),
        QStringLiteral("Links may not work properly during Pre-View unless the generated"),
        QStringLiteral("web page was saved in the same directory as the images files."),
        QStringLiteral("Background Images and Midi Music may not be displayed for the same "
                       "reason."),
        QString(),
        QStringLiteral("Important Note(2): The Links, Backgrounds and Music will work on the "
                       "Internet"),
        QStringLiteral("since the Web Page Files and Images will be uploaded to the same "
                       "directory."),
        QString()}
        .join(AppText::LineBreak);

QString PreviewFileChoice::initialFileName(const RememberedPaths &paths)
{
    const QString previous = paths.value(RememberedPaths::PrevHtml).toLower();
    // Still the start-up pattern: nothing real was previewed yet.
    if (previous.endsWith(QLatin1String("*.html")) || previous.endsWith(QLatin1String("*.htm")))
        return paths.value(RememberedPaths::GenHtml);
    return paths.value(RememberedPaths::PrevHtml);
}

std::optional<QString> PreviewFileChoice::choose(Dialogs &dialogs, RememberedPaths &paths,
                                                 const QString &initialName)
{
    Dialogs::FileRequest request;
    request.title = AppText::AppTitle;
    request.filter = Filter;
    request.defaultExtension = QStringLiteral("HTML");
    request.fileName = initialName;
    std::optional<QString> chosen = dialogs.openFile(request);
    if (chosen)
        paths.replace(RememberedPaths::PrevHtml, *chosen);
    return chosen;
}
