#include "tools/SampleAlbum.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
const char Usage[] =
    "usage: make_sample_album FOLDER [COUNT]\n"
    "Draws sample pictures into FOLDER (made if missing), writes FOLDER/sample.lwp\n"
    "listing COUNT of them (6 unless given) and prints the project's path.\n";
}

int main(int argc, char *argv[])
{
    // Drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 2 &&
        (args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    bool countOk = true;
    const int count = args.size() > 2 ? args[2].toInt(&countOk) : 6;
    // An option-like folder is a mistyped option, not a folder to make.
    if (args.size() < 2 || args.size() > 3 || args[1].startsWith(QLatin1Char('-')) || !countOk ||
        count < 0) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const QString project = SampleAlbum::create(args[1], count);
    if (project.isEmpty()) {
        std::fputs("make_sample_album: could not write the sample album\n", stderr);
        return 1;
    }
    std::printf("%s\n", qPrintable(project));
    return 0;
}
