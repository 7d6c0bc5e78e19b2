// The gallery layout against a yardstick on the same machine: the whole `lumora generate
// --layout gallery` (400, 800 and 1600 px) and `vipsthumbnail -s 400`, two at a time, over
// the same generated photos, and decoding alone as the floor under both. Usage:
// bench_gallery [photos=200] [runs=5] [width=4000] [height=3000]. Prints median, min and
// max of the runs and the goals.
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "generator/JpegCodec.h"
#include "project/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {
struct Figures
{
    double median, min, max;
    double cpu; // user and system seconds of the child processes, per run
};

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Figures timeRuns(int runs, const std::function<void()> &prepare, const std::function<bool()> &work)
{
    QList<double> times;
    const double cpuBefore = childrenCpuSeconds();
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        if (!work())
            return {-1, -1, -1, -1};
        times << double(t.nsecsElapsed()) / 1e9;
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.first(), times.last(),
            (childrenCpuSeconds() - cpuBefore) / runs};
}

void print(const char *name, const Figures &f, const QString &goal)
{
    std::printf("%-44s median %7.3f s  min %7.3f  max %7.3f  cpu %7.3f s  %s\n", name, f.median,
                f.min, f.max, f.cpu, qPrintable(goal));
}

// A camera-like picture: smooth light with grain, so the JPEG is a few megabytes. The grain
// comes from one shared table read at a per-photo offset: random per pixel is slow.
void writePhoto(const QString &path, int width, int height, quint32 seed)
{
    static const QList<int> grain = [] {
        QList<int> g(1 << 20);
        for (int &v : g)
            v = int(QRandomGenerator::global()->bounded(24u)) - 12;
        return g;
    }();
    QImage image(width, height, QImage::Format_RGB32);
    qsizetype at = qsizetype(seed) * 7919;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = grain[at++ & (grain.size() - 1)];
            line[x] =
                qRgb(qBound(0, x * 255 / width + n, 255), qBound(0, y * 255 / height + n, 255),
                     qBound(0, 128 + (x ^ y) % 64 + n, 255));
        }
    }
    image.save(path, "JPEG", 90);
}

bool run(const QString &program, const QStringList &arguments, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return false;
    }
    return true;
}

// Two vipsthumbnail processes at once, each over half of the photos.
bool vipsTwoAtATime(const QStringList &photos, const QString &out)
{
    QList<QStringList> halves(2);
    for (qsizetype i = 0; i < photos.size(); ++i)
        halves[i % 2] << photos[i];
    QList<QProcess *> running;
    for (const QStringList &half : halves) {
        auto *p = new QProcess;
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral("vipsthumbnail"),
                 QStringList{QStringLiteral("-s"), QStringLiteral("400"), QStringLiteral("-o"),
                             out + QLatin1String("%s-400.jpg")} +
                     half);
        running << p;
    }
    bool ok = true;
    for (QProcess *p : running) {
        ok &= p->waitForFinished(-1) && p->exitCode() == 0;
        delete p;
    }
    return ok;
}

double ownCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// What no pipeline on this decoder can go below: reading and decoding every photo once at
// the scale the gallery uses, on all cores, writing nothing.
bool decodeAll(const QStringList &photos)
{
    QThreadPool pool;
    std::atomic<bool> ok{true};
    for (const QString &path : photos)
        pool.start([&ok, path] {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly) || !JpegCodec::decode(f.readAll(), 2))
                ok = false;
        });
    pool.waitForDone();
    return ok;
}

long childrenPeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = qMax(1, args.size() > 1 ? args[1].toInt() : 200);
    const int runs = qMax(1, args.size() > 2 ? args[2].toInt() : 5);
    const int width = args.size() > 3 ? args[3].toInt() : 4000;
    const int height = args.size() > 4 ? args[4].toInt() : 3000;
    const QString lumora = QCoreApplication::applicationDirPath() + QLatin1String("/lumora");
    if (QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail")).isEmpty()) {
        std::fprintf(stderr, "vipsthumbnail missing: run scripts/install-deps.sh\n");
        return 2;
    }

    QTemporaryDir dir;
    // For looking at the site or profiling one command afterwards.
    if (qEnvironmentVariableIsSet("BENCH_GALLERY_KEEP")) {
        dir.setAutoRemove(false);
        std::printf("kept in %s\n", qPrintable(dir.path()));
    }
    const QString root = JoinFolderAndFile(dir.path(), QString());
    const QString photos = root + QLatin1String("photos/");
    QDir().mkpath(photos);
    QStringList names, paths;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("photo %1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        paths << photos + names.last();
        writePhoto(paths.last(), width, height, quint32(i + 1));
        bytes += QFileInfo(paths.last()).size();
    }
    std::printf("%d photos of %dx%d, %.1f MB each on average, %d runs, %d cores\n", count, width,
                height, double(bytes) / count / 1e6, runs, QThread::idealThreadCount());

    ConsoleDialogs dialogs;
    WorkingSet set;
    set.paths.reset(root);
    set.images.AddFolderFiles(photos, names);
    const QString project = root + QLatin1String("album.lwp");
    dialogs.queueFileName(project);
    ProjectFile(dialogs).SaveProject(set, root);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString cache = root + QLatin1String("cache");
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QLatin1String("config"));
    const QString site = root + QLatin1String("site/");
    auto generate = [&] {
        return run(lumora,
                   {QStringLiteral("generate"), QStringLiteral("--project"), project,
                    QStringLiteral("--layout"), QStringLiteral("gallery"),
                    QStringLiteral("--output"), site + QLatin1String("album.html")},
                   env);
    };
    auto fresh = [&] {
        QDir(cache).removeRecursively();
        QDir(site).removeRecursively();
    };

    const Figures first = timeRuns(runs, fresh, generate);
    const Figures same = timeRuns(
        runs, [] {}, generate);
    int changed = 0;
    const Figures one = timeRuns(
        runs,
        [&] {
            QFile f(paths[changed++ % count]);
            f.open(QIODevice::ReadWrite);
            f.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        },
        generate);
    const long peak = childrenPeakKiB();

    const QString thumbs = root + QLatin1String("vips/");
    const Figures vips = timeRuns(
        runs,
        [&] {
            QDir(thumbs).removeRecursively();
            QDir().mkpath(thumbs);
        },
        [&] { return vipsTwoAtATime(paths, thumbs); });

    const double cpuBefore = ownCpuSeconds();
    Figures decode = timeRuns(
        runs, [] {}, [&] { return decodeAll(paths); });
    decode.cpu = (ownCpuSeconds() - cpuBefore) / runs;

    print("vipsthumbnail -s 400, two at a time", vips, QStringLiteral("(yardstick)"));
    print("decoding alone at 1/2, all cores", decode,
          QStringLiteral("ratio %1, cpu ratio %2 (the floor)")
              .arg(decode.median / vips.median, 0, 'f', 2)
              .arg(decode.cpu / vips.cpu, 0, 'f', 2));
    // The machine may be shared: the processor time ratio is the steadier figure.
    print("gallery, first generation (400, 800, 1600)", first,
          QStringLiteral("ratio %1, cpu ratio %2 (goal <= 0.8)")
              .arg(first.median / vips.median, 0, 'f', 2)
              .arg(first.cpu / vips.cpu, 0, 'f', 2));
    print("gallery, regeneration, nothing changed", same, QStringLiteral("(goal < 0.3 s)"));
    print("gallery, regeneration, one photo changed", one, QStringLiteral("(goal < 0.6 s)"));
    std::printf("lumora generate peak memory: %.0f MB (goal < 400 MB)\n", double(peak) / 1024);
    return 0;
}
