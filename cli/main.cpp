#include "cli/CommandLine.h"
#include "cli/GenerateCommand.h"
#include "cli/RavelCommand.h"
#include "cli/UploadCommand.h"

#include <QCoreApplication>
#include <functional>
#include <map>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    const std::map<QString, std::function<int(const QStringList &)>> commands = {
        {QStringLiteral("generate"), runGenerateCommand},
        {QStringLiteral("ravel"), runRavelCommand},
        {QStringLiteral("upload"), runUploadCommand},
    };
    const QStringList args = app.arguments().mid(1);
    if (const auto command = commands.find(args.value(0)); command != commands.end())
        return command->second(args.mid(1));

    // Only what stands before a command is lumora's own: --help, --version or a mistake.
    CommandLine cli({QStringLiteral("lumora"),
                     QStringLiteral("The headless companion of LumoraPage: it makes and sends a "
                                    "project's web pages\n"
                                    "with the same code as the desktop program.\n\n"
                                    "Commands:\n"
                                    "  generate  write the web pages of a project\n"
                                    "  upload    send them and the pictures to an FTP server\n"
                                    "  ravel     run the FTP component from a script"),
                     {},
                     {{QStringLiteral("COMMAND"),
                       QStringLiteral("generate, upload or ravel; 'lumora COMMAND --help' "
                                      "tells its options.")}}},
                    args.mid(0, 1));
    if (cli.answered())
        return 0;
    cli.fail(args.isEmpty() ? QStringLiteral("missing command")
                            : QStringLiteral("unknown command %1").arg(args.first()));
    return cli.usage();
}
