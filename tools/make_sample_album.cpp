#include "cli/CommandLine.h"
#include "tools/SampleAlbum.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CommandLine cli({QStringLiteral("make_sample_album"),
                     QStringLiteral("Draws sample pictures into FOLDER (made if missing), writes "
                                    "FOLDER/sample.lwp\nlisting COUNT of them and prints the "
                                    "project's path."),
                     {},
                     {{"FOLDER", "Where the pictures and the project go."},
                      {"[COUNT]", "How many pictures the project lists (6 unless given)."}}},
                    app.arguments().mid(1));
    if (cli.answered())
        return 0;
    const QStringList args = cli.arguments();
    bool countOk = true;
    const int count = args.size() > 1 ? args[1].toInt(&countOk) : 6;
    if (args.isEmpty())
        cli.fail(QStringLiteral("missing FOLDER"));
    // An option-like folder is a mistyped option, not a folder to make.
    else if (args[0].startsWith(QLatin1Char('-')))
        cli.fail(QStringLiteral("unknown argument %1").arg(args[0]));
    if (!countOk || count < 0)
        cli.fail(QStringLiteral("COUNT takes a whole number from 0"));
    if (!cli.ok())
        return cli.usage();
    const QString project = SampleAlbum::create(args[0], count);
    if (project.isEmpty()) {
        std::fputs("make_sample_album: could not write the sample album\n", stderr);
        return 1;
    }
    std::printf("%s\n", qPrintable(project));
    return 0;
}
