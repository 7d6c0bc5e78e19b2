#include "tools/SampleAlbum.h"

#include <QGuiApplication>
#include <cstdio>

// make_sample_album FOLDER [COUNT]: prints the project's path.
int main(int argc, char *argv[])
{
    // Drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fputs("usage: make_sample_album FOLDER [COUNT]\n", stderr);
        return 2;
    }
    const int count = args.size() > 2 ? args[2].toInt() : 6;
    const QString project = SampleAlbum::create(args[1], count);
    if (project.isEmpty()) {
        std::fputs("make_sample_album: could not write the sample album\n", stderr);
        return 1;
    }
    std::printf("%s\n", qPrintable(project));
    return 0;
}
