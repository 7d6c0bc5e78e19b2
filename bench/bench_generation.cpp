// Generation and project-file speed on the largest album the list allows.
// Prints one line per measurement: name, median of runs in seconds, goal, verdict.
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "generator/AlbumGenerator.h"
#include "images/ImageList.h"
#include "project/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int Runs = 5;

double medianSeconds(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[Runs / 2];
}

bool report(const char *name, double seconds, double goal)
{
    const bool ok = seconds < goal;
    std::printf("%-44s %8.4f s  (goal < %.2f s)  %s\n", name, seconds, goal, ok ? "ok" : "SLOW");
    return ok;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = JoinFolderAndFile(dir.path(), QString());
    ConsoleDialogs dialogs;
    bool ok = true;

    WorkingSet set;
    set.paths.reset(folder);
    QStringList names;
    for (int i = 0; i < ImageList::MaxEntries; ++i)
        names << QStringLiteral("Holiday picture %1.jpg").arg(i);
    set.images.AddFolderFiles(QStringLiteral("/home/user/Pictures"), names);

    ok &= report("generate framethumb, 32767 pictures", medianSeconds([&] {
                     dialogs.queueFileName(folder + QLatin1String("album.html"));
                     AlbumGenerator(dialogs).GenerateWebPage(
                         QStringLiteral("framethumb"), {set.style, set.images.entries(), true},
                         set.paths, set.output);
                 }),
                 0.25);

    ok &= report("save project, 32767 entries", medianSeconds([&] {
                     dialogs.queueFileName(folder + QLatin1String("big.lwp"));
                     ProjectFile(dialogs).SaveProject(set, folder);
                 }),
                 0.25);

    ok &= report("load project, 32767 entries", medianSeconds([&] {
                     WorkingSet loaded;
                     dialogs.queueFileName(folder + QLatin1String("big.lwp"));
                     ProjectFile(dialogs).LoadProject(loaded, folder);
                 }),
                 0.25);

    // Real files, so the label's sizes come from the file system.
    const QString pictures = folder + QLatin1String("pictures/");
    QDir().mkpath(pictures);
    QStringList files;
    for (int i = 0; i < 5000; ++i) {
        files << QStringLiteral("p%1.jpg").arg(i);
        QFile f(pictures + files.last());
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(1000 + i, 'x'));
    }
    QString label;
    ok &= report("add 5000 pictures with the label", medianSeconds([&] {
                     ImageList list;
                     list.AddFolderFiles(pictures, files);
                     label = list.UpdateImageListInfo();
                 }),
                 1.0);
    std::printf("label after adding: %s\n", qPrintable(label));
    return ok ? 0 : 1;
}
