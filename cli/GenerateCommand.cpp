#include "GenerateCommand.h"

#include "AlbumGenerator.h"
#include "CommandLine.h"
#include "ConsoleDialogs.h"
#include "PathNames.h"
#include "ProjectFile.h"
#include "SettingsStore.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

int runGenerateCommand(const QStringList &arguments)
{
    CommandLine cli(arguments,
                    {QStringLiteral("project"), QStringLiteral("layout"), QStringLiteral("output"),
                     QStringLiteral("autospace")},
                    {});
    cli.require({QStringLiteral("project"), QStringLiteral("layout"), QStringLiteral("output")});
    const std::optional<bool> autoSpaceOption = cli.onOff(QStringLiteral("autospace"));
    if (!cli.ok())
        return cli.usage(QStringLiteral("lumora generate --project FILE.lwp --layout WORD "
                                        "--output PATH [--autospace on|off]"));

    const bool autoSpace = autoSpaceOption.value_or(SettingsStore().ReadBoolean(
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
    if (isatty(STDERR_FILENO))
        generator.setGalleryOptions(
            {false, false, [&shown](int done, int total) {
                 if (done != shown)
                     std::fprintf(stderr, "\r%s%s",
                                  qPrintable(GalleryWriter::ProgressText(done, total)),
                                  done == total ? "\n" : "");
                 shown = done;
                 return true;
             }});
    const AlbumGenerator::Outcome outcome = generator.GenerateWebPage(
        cli.value(QStringLiteral("layout")), {set.style, set.images.entries(), autoSpace},
        set.paths, set.output);
    return outcome == AlbumGenerator::Outcome::Completed ? 0 : 1;
}
