#include "cli/GenerateCommand.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "generator/AlbumGenerator.h"
#include "project/ProjectFile.h"
#include "project/SettingsStore.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

int runGenerateCommand(const QStringList &arguments)
{
    const QStringList words = AlbumGenerator::layoutWords();
    CommandLine cli(
        {QStringLiteral("lumora generate"),
         QStringLiteral("Writes the web pages of a project's pictures in one layout."),
         {{"project", "FILE.lwp", "The project whose pictures the pages show.",
           CommandLine::Required},
          {"layout", "WORD", "The layout: " + words.join(QLatin1String(", ")) + ".",
           CommandLine::Required},
          {"output", "PATH",
           "The page to write (.html is added when missing); the other "
           "files go beside it.",
           CommandLine::Required},
          {"autospace", "on|off",
           "Whether spaces in picture names become underscores on the pages; the desktop "
           "program's setting unless given."},
          {"large-screens", "", "Gallery: adds 2560 pixel pictures for large screens."},
          {"include-originals", "",
           "Gallery: publishes the original pictures, linked from each photo page."}}},
        arguments);
    if (cli.answered())
        return 0;
    const std::optional<bool> autoSpaceOption = cli.onOff(QStringLiteral("autospace"));
    if (cli.has(QStringLiteral("layout")) && !words.contains(cli.value(QStringLiteral("layout"))))
        cli.fail(QStringLiteral("--layout takes one of: %1").arg(words.join(QLatin1String(", "))));
    // An empty name would put the pages in the current folder under no name of their own.
    if (cli.has(QStringLiteral("output")) && cli.value(QStringLiteral("output")).isEmpty())
        cli.fail(QStringLiteral("--output needs a file name"));
    if (!cli.ok())
        return cli.usage();

    const SettingsStore store;
    if (!store.refusal().isEmpty())
        std::fprintf(stderr, "lumora: %s\n", qPrintable(store.refusal()));
    const bool autoSpace = autoSpaceOption.value_or(store.ReadBoolean(
        QStringLiteral("Options"), QStringLiteral("autospace"), QStringLiteral("1"), true));

    ConsoleDialogs dialogs;
    WorkingSet set;
    set.paths.reset(AppFolder());
    dialogs.queueFileName(QFileInfo(cli.value(QStringLiteral("project"))).absoluteFilePath());
    const ProjectFile::Outcome loaded = ProjectFile(dialogs).LoadProject(set, AppFolder());
    if (loaded == ProjectFile::Outcome::Failed)
        return 1;

    dialogs.queueFileName(QFileInfo(cli.value(QStringLiteral("output"))).absoluteFilePath());
    AlbumGenerator generator(dialogs);
    // A line that rewrites itself only makes sense to a person watching a terminal.
    int shown = -1;
    GalleryOptions gallery{
        cli.has(QStringLiteral("large-screens")), cli.has(QStringLiteral("include-originals")), {}};
    if (isatty(STDERR_FILENO))
        gallery.progress = [&shown](int done, int total) {
            if (done != shown)
                std::fprintf(stderr, "\r%s%s", qPrintable(GalleryWriter::ProgressText(done, total)),
                             done == total ? "\n" : "");
            shown = done;
            return true;
        };
    generator.setGalleryOptions(std::move(gallery));
    const AlbumGenerator::Outcome outcome = generator.GenerateWebPage(
        cli.value(QStringLiteral("layout")), {set.style, set.images.entries(), autoSpace},
        set.paths, set.output);
    return outcome == AlbumGenerator::Outcome::Completed ? 0 : 1;
}
