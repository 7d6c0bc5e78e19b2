// flood_bench: the peak resident memory of `lumora upload` against hostile fake servers, for
// the whole of their attack: "flood-120" answers USER with "120" lines every 2 ms until the
// client goes away, "drip-multiline" with one line of a never-ending reply every 0.5 s.
// Prints, per scenario, the median, minimum and maximum over RUNS runs (default 5) of the
// peak resident memory and of the wall time, and lumora's exit status (1 expected). TIMEOUT
// (default 10) is lumora's --timeout in seconds.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace BenchSupport;

namespace {

void printRow(const char *what, QList<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("  %-16s median %8.1f  min %8.1f  max %8.1f\n", what, median(values),
                values.first(), values.last());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, qEnvironmentVariableIntValue("RUNS") ?: 5);
    const int timeout = std::max(1, qEnvironmentVariableIntValue("TIMEOUT") ?: 10);
    QTemporaryDir work;
    // lumora's settings stay in this run's folder.
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", work.filePath(QStringLiteral("cache")).toUtf8());
    const QString album = work.filePath(QStringLiteral("album"));
    const QString project = makeAlbum(album, 3, 100 * 1000);
    if (project.isEmpty())
        return 1;
    std::printf("lumora upload --timeout %d, %d runs per scenario\n", timeout, runs);
    for (const char *scenario : {"flood-120", "drip-multiline"}) {
        FtpTestServer server(FtpTestServer::Kind::Fake, QString::fromLatin1(scenario));
        if (!startServer(server))
            return 1;
        QList<double> memory, seconds;
        QList<int> statuses;
        for (int i = 0; i < runs; ++i) {
            const ChildRun run = runMeasured(
                "lumora", {QStringLiteral("upload"), QStringLiteral("--project"), project,
                           QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
                           QStringLiteral("--port"), QString::number(server.port()),
                           QStringLiteral("--page"), album + QLatin1String("/album.html"),
                           QStringLiteral("--timeout"), QString::number(timeout)});
            if (run.peakMiB < 0) {
                std::fprintf(stderr, "lumora did not run\n");
                return 1;
            }
            memory.append(run.peakMiB);
            seconds.append(run.seconds);
            statuses.append(run.status);
        }
        std::printf("%s (exit statuses:", scenario);
        for (const int s : statuses)
            std::printf(" %d", s);
        std::printf(")\n");
        printRow("peak RSS MiB", memory);
        printRow("wall s", seconds);
    }
    return 0;
}
