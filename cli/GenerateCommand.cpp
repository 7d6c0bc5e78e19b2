#include "cli/GenerateCommand.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "generator/AlbumGenerator.h"
#include "project/ProjectFile.h"
#include "project/SettingsStore.h"

#include <QFileInfo>

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
    const AlbumGenerator::Outcome outcome = AlbumGenerator(dialogs).GenerateWebPage(
        cli.value(QStringLiteral("layout")), {set.style, set.images.entries(), autoSpace},
        set.paths, set.output);
    return outcome == AlbumGenerator::Outcome::Completed ? 0 : 1;
}
