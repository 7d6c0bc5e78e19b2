#include "preview/gui/PreviewCommand.h"

#include "core/Dialogs.h"
#include "preview/PreviewFileChoice.h"
#include "preview/gui/BrowserWindow.h"

std::unique_ptr<BrowserWindow> PreviewCommand::open(QWidget *parent, Dialogs &dialogs,
                                                    RememberedPaths &paths,
                                                    const PreviewSources &sources)
{
    const std::optional<QString> file =
        PreviewFileChoice::choose(dialogs, paths, PreviewFileChoice::initialFileName(paths));
    if (!file)
        return nullptr;
    auto browser = std::make_unique<BrowserWindow>(dialogs, paths, parent);
    browser->setSources(sources);
    dialogs.message(PreviewFileChoice::NoteText, PreviewFileChoice::NoteTitle,
                    Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    browser->navigateTo(*file);
    browser->setModal(true);
    return browser;
}

void PreviewCommand::PreviewWebPage(QWidget *parent, Dialogs &dialogs, RememberedPaths &paths,
                                    const PreviewSources &sources)
{
    if (const std::unique_ptr<BrowserWindow> browser = open(parent, dialogs, paths, sources))
        browser->exec();
}
